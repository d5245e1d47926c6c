#pragma once
// A task's trigger list and one trigger of the scheduling component.
// Failure behaviour as in DispatchClient.h.
#include <cstdint>

#include "scheduler/DispatchClient.h"

class TriggerClient : public DispatchClient {
public:
    static constexpr int32_t kDaily = 1;

    HRESULT SetTriggerType(int32_t type);
    // Automation dates, see AutomationText.h.
    HRESULT SetStartDate(DATE date);
    HRESULT SetStartTime(DATE time);
};

class TriggerListClient : public DispatchClient {
public:
    // A new trigger of the list; unbound when the call fails.
    TriggerClient Add();
    // The same with the component's answer; trigger stays unbound when none was given.
    HRESULT Add(TriggerClient& trigger);
};
