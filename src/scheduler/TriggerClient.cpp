#include "scheduler/TriggerClient.h"

namespace {
constexpr DISPID kListAdd = 0x60030002;
constexpr DISPID kTriggerType = 0x68030007;
constexpr DISPID kStartDate = 0x68030003;
constexpr DISPID kStartTime = 0x68030000;
}  // namespace

HRESULT TriggerClient::SetTriggerType(int32_t type) { return InvokePut(kTriggerType, AutomationVariant::Int32(type)); }

HRESULT TriggerClient::SetStartDate(DATE date) { return InvokePut(kStartDate, AutomationVariant::Date(date)); }

HRESULT TriggerClient::SetStartTime(DATE time) { return InvokePut(kStartTime, AutomationVariant::Date(time)); }

TriggerClient TriggerListClient::Add() {
    TriggerClient trigger;
    Add(trigger);
    return trigger;
}

HRESULT TriggerListClient::Add(TriggerClient& trigger) {
    AutomationVariant result;
    const HRESULT hr = InvokeMethod(kListAdd, result);
    trigger = FAILED(hr) ? TriggerClient() : ObjectFrom<TriggerClient>(result);
    return hr;
}
