#pragma once
// An engine of its own, with its own settings key, whose task creation goes
// to the in-process stand-in of the scheduling component.
#include <string>

#include "engine/FolderShredder.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskScheduling.h"
#include "scheduler/TaskSchedulerClient.h"
#include "support/FakeTaskScheduler.h"
#include "support/ScriptedTaskNamePrompt.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

class FakeSchedulingRig {
public:
    explicit FakeSchedulingRig(std::string settingsKey);
    ~FakeSchedulingRig();
    FakeSchedulingRig(const FakeSchedulingRig&) = delete;
    FakeSchedulingRig& operator=(const FakeSchedulingRig&) = delete;

    TestFolder folder;
    TestEngine engine{folder.path()};
    FolderShredder folders{engine.context, engine.shredder};
    ScriptedTaskNamePrompt prompt;
    FakeTaskScheduler* fake = new FakeTaskScheduler;
    TaskSchedulerClient scheduler;
    TaskClient current;
    TaskScheduling tasks{engine.context, folders, prompt};

private:
    std::string settingsKey_;
};
