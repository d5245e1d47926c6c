#include "component/TriggerObjects.h"

#include "component/AutomationError.h"
#include "component/TriggerSchedule.h"

namespace sched {

namespace {

const AutomationMember kListMembers[] = {{L"Add", TaskTriggerList::kAdd, true, false}};

const AutomationMember kTriggerMembers[] = {
    {L"StartTime", TaskTrigger::kStartTime, true, true},
    {L"StartDate", TaskTrigger::kStartDate, true, true},
    {L"TriggerType", TaskTrigger::kTriggerType, true, true},
};

}  // namespace

TaskTriggerList::TaskTriggerList(SharedTask state)
    : AutomationObject(kListMembers, sizeof kListMembers / sizeof kListMembers[0]), state_(std::move(state)) {}

void TaskTriggerList::Read(DISPID id, const AutomationCall&, VARIANT& result) {
    if (id != kAdd) return;
    WORD index = 0;
    ITaskTrigger* raw = nullptr;
    ThrowIfFailed(state_->Task().CreateTrigger(&index, &raw), L"No trigger could be added to the task.");
    ComPtr<ITaskTrigger> trigger(raw);
    // A new trigger fires once, now, until it is told otherwise.
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    TASK_TRIGGER value = MakeTrigger(now);
    ThrowIfFailed(trigger.Get()->SetTrigger(&value), L"The new trigger could not be set.");
    SetObject(result, new TaskTrigger(state_, std::move(trigger)));
}

TaskTrigger::TaskTrigger(SharedTask state, ComPtr<ITaskTrigger> trigger)
    : AutomationObject(kTriggerMembers, sizeof kTriggerMembers / sizeof kTriggerMembers[0]),
      state_(std::move(state)),
      trigger_(std::move(trigger)) {}

TASK_TRIGGER TaskTrigger::Current() const {
    state_->Task();  // fails for a removed task
    TASK_TRIGGER value;
    ::ZeroMemory(&value, sizeof value);
    value.cbTriggerSize = sizeof value;
    ThrowIfFailed(trigger_.Get()->GetTrigger(&value), L"The trigger could not be read.");
    return value;
}

void TaskTrigger::Store(const TASK_TRIGGER& value) {
    TASK_TRIGGER copy = value;
    ThrowIfFailed(trigger_.Get()->SetTrigger(&copy), L"The trigger could not be set.");
}

void TaskTrigger::Read(DISPID id, const AutomationCall&, VARIANT& result) {
    const TASK_TRIGGER value = Current();
    switch (id) {
    case kTriggerType: SetInt32(result, static_cast<long>(value.TriggerType)); break;
    case kStartDate:
    case kStartTime: SetDate(result, StartOf(value)); break;
    default: break;
    }
}

void TaskTrigger::Write(DISPID id, const AutomationCall& call) {
    TASK_TRIGGER value = Current();
    switch (id) {
    case kTriggerType: {
        const long type = call.PutInt32();
        if (!IsScheduleKind(type))
            Fail(L"Trigger type " + std::to_wstring(type) + L" is not offered: use 0 (once), 1 (daily), 2 (weekly) or "
                     L"3 (monthly).",
                 E_INVALIDARG);
        SetKind(value, static_cast<ScheduleKind>(type));
        break;
    }
    case kStartDate:
        if (!SetStartDate(value, call.PutDate())) Fail(L"The start date is not a valid date.", E_INVALIDARG);
        break;
    case kStartTime:
        if (!SetStartTime(value, call.PutDate())) Fail(L"The start time is not a valid time.", E_INVALIDARG);
        break;
    default: return;
    }
    Store(value);
}

}  // namespace sched
