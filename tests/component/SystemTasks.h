#pragma once
// The system's Task Scheduler reached directly, beside the component: to
// make another program's task and to read back what the component stored.
#include <windows.h>
#include <mstask.h>

#include <string>
#include <vector>

#include "scheduler/DispatchClient.h"

class SystemTasks {
public:
    SystemTasks();
    bool valid() const { return scheduler_.Valid(); }

    // A task of another program, saved at once; false when it failed.
    bool MakeForeign(const std::wstring& name, const std::wstring& creator);
    ComPtr<ITask> Open(const std::wstring& name) const;  // unbound when missing
    bool Has(const std::wstring& name) const { return Open(name).Valid(); }
    // Tried again while the scheduler service still reads the file.
    void Delete(const std::wstring& name) const;
    std::vector<std::wstring> Names() const;  // as files: "<name>.job"
    ITaskScheduler& scheduler() const { return *scheduler_.Get(); }

    // The work item's string through one of its getters; "<failed>" if it failed.
    static std::wstring Text(ITask& task, HRESULT (STDMETHODCALLTYPE ITask::*getter)(LPWSTR*));
    // The first trigger; cbTriggerSize 0 when there is none.
    static TASK_TRIGGER FirstTrigger(ITask& task);

private:
    ComPtr<ITaskScheduler> scheduler_;
};

// What one late-bound call answered, with the failure's description.
struct CallAnswer {
    HRESULT hr = E_FAIL;
    std::string description;
    AutomationVariant result;
};
// Arguments in call order, freed after the call; put sends the one argument
// as the property's value.
CallAnswer Call(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args = {});
VARIANT TextArg(const wchar_t* text);
VARIANT IntArg(long value);
