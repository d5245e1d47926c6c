#pragma once
// The collection of all tasks of the scheduling component. Indexes are
// 1-based and count every task of the collection, not only this program's.
// Failure behaviour as in DispatchClient.h: Count answers 0, Item and Add an
// unbound client.
#include <cstdint>
#include <string>

#include "scheduler/DispatchClient.h"
#include "scheduler/TaskClient.h"

class TaskSchedulerClient : public DispatchClient {
public:
    // Before every enumeration, so Count and Item see the current tasks.
    HRESULT Refresh();
    int32_t Count() const;
    TaskClient Item(int16_t index) const;
    TaskClient Add(const std::string& name);
    // The same with the component's answer; a call that succeeds without
    // giving a task leaves task unbound.
    HRESULT Add(const std::string& name, TaskClient& task);
    HRESULT Remove(int16_t index);
};
