#pragma once
// A task's trigger list and one trigger, as automation objects. A trigger
// writes itself to the task at once; the task keeps it when it is committed.
#include <mstask.h>

#include "component/AutomationObject.h"
#include "component/ComHandles.h"
#include "component/TaskState.h"

namespace sched {

class TaskTriggerList final : public AutomationObject {
public:
    explicit TaskTriggerList(SharedTask state);

    static constexpr DISPID kAdd = 0x60030002;

private:
    void Read(DISPID id, const AutomationCall& call, VARIANT& result) override;

    SharedTask state_;
};

class TaskTrigger final : public AutomationObject {
public:
    TaskTrigger(SharedTask state, ComPtr<ITaskTrigger> trigger);

    static constexpr DISPID kStartTime = 0x68030000;
    static constexpr DISPID kStartDate = 0x68030003;
    static constexpr DISPID kTriggerType = 0x68030007;

private:
    void Read(DISPID id, const AutomationCall& call, VARIANT& result) override;
    void Write(DISPID id, const AutomationCall& call) override;

    TASK_TRIGGER Current() const;
    void Store(const TASK_TRIGGER& value);

    SharedTask state_;
    ComPtr<ITaskTrigger> trigger_;
};

}  // namespace sched
