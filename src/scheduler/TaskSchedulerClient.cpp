#include "scheduler/TaskSchedulerClient.h"

namespace {
constexpr DISPID kRefresh = 0x60030003;
constexpr DISPID kCount = 0x68030000;
constexpr DISPID kItem = 0;
constexpr DISPID kAdd = 0x60030002;
constexpr DISPID kRemove = 0x60030004;
}  // namespace

HRESULT TaskSchedulerClient::Refresh() { return CallMethod(kRefresh); }

int32_t TaskSchedulerClient::Count() const { return GetInt32(kCount); }

TaskClient TaskSchedulerClient::Item(int16_t index) const {
    AutomationVariant result;
    if (FAILED(InvokeGet(kItem, result, AutomationVariant::Int16(index)))) return TaskClient();
    return ObjectFrom<TaskClient>(result);
}

TaskClient TaskSchedulerClient::Add(const std::string& name) {
    TaskClient task;
    Add(name, task);
    return task;
}

HRESULT TaskSchedulerClient::Add(const std::string& name, TaskClient& task) {
    AutomationVariant result;
    const HRESULT hr = InvokeMethod(kAdd, result, AutomationVariant::Text(name));
    task = FAILED(hr) ? TaskClient() : ObjectFrom<TaskClient>(result);
    return hr;
}

HRESULT TaskSchedulerClient::Remove(int16_t index) {
    AutomationVariant ignored;
    return InvokeMethod(kRemove, ignored, AutomationVariant::Int16(index));
}
