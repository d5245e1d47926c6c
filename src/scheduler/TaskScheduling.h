#pragma once
// What the Schedule buttons of the pages do, without a window of their own:
// the page's own checks before its list, the pre-check of every entry, the
// task's name, its command line (settings read after the pre-checks), commit
// and the component's property window. The result tells the page whether
// to empty its list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "scheduler/TaskCommandLine.h"
#include "scheduler/TaskCreator.h"
#include "win/FsPath.h"

class FolderShredder;

enum class ScheduleOutcome {
    Created,            // the task was made and its property window shown
    NothingToSchedule,  // the page's list (or what passed the pre-checks) was empty
    GivenUp,            // a pre-check answer gave the task up
    Cancelled,          // the task-name dialog was cancelled
    AlreadyExists,      // the default task of that name is there already
    Failed,             // the component failed; reported, nothing kept
    Unavailable,        // no scheduling component; reported
};

struct ScheduleResult {
    ScheduleOutcome outcome = ScheduleOutcome::NothingToSchedule;
    bool emptyPageList = false;  // the page is to empty its list now
    std::string taskName;        // of the task made
};

class TaskScheduling {
public:
    TaskScheduling(EngineContext& context, FolderShredder& folders, TaskNamePrompt& prompt)
        : context_(context), folders_(folders), creator_(context, prompt) {}

    void SetComponent(TaskSchedulerClient* scheduler, TaskClient* currentTask) {
        creator_.SetComponent(scheduler, currentTask);
    }
    bool Available() const { return creator_.Available(); }

    // Shred Files: the paths of the page's list, in order.
    ScheduleResult ScheduleFiles(const std::vector<win::FsPath>& files);
    // Shred Folders: the paths of the page's list, in order.
    ScheduleResult ScheduleFolders(const std::vector<win::FsPath>& folders);
    // Shred Drive: the selected row's text ("Local Disk (C:)"), empty when no
    // row is selected, and the page's drive option.
    ScheduleResult ScheduleDrive(const std::string& selectedRow, int32_t driveOption);
    ScheduleResult ScheduleRecycleBin();
    // Shred Restore Points: the page's folder list (ASCII paths the system
    // named), its row count and the
    // number of restore points the system has.
    ScheduleResult ScheduleRestorePoints(const std::vector<std::string>& folders, size_t rowsShown,
                                         size_t pointsOfSystem);

    // The task-name dialog and a new task with its fixed properties; the
    // name, or empty when cancelled or failed (failures are reported).
    std::string CreateTask();
    // Each makes its daily task unless one of that name exists; 1 always.
    int CreateDefaultRestorePointsTask();
    int CreateDefaultFreeSpaceTask();

    TaskCreator& creator() { return creator_; }

private:
    // The common steps from the task's name on.
    ScheduleResult Schedule(TaskLineKind kind, TaskLineValues values, bool emptyAfter);
    // Leaves out, with a message, a path the run mode would not read back.
    bool AddTarget(TaskTargetList& list, size_t position, const win::FsPath& path);
    void ShowRefusedTarget(const std::wstring& path);
    void FreshAnswers();
    void ShowError(int messageId, unsigned icon);

    EngineContext& context_;
    FolderShredder& folders_;
    TaskCreator creator_;
};
