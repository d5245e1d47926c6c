#pragma once
// One task as the task object, its trigger list and its triggers share it:
// the scheduler's work item, its name and whether it was ever saved.
#include <windows.h>
#include <mstask.h>

#include <memory>
#include <string>

#include "component/ComHandles.h"

namespace sched {

class TaskState {
public:
    // saved: the task already has its file (it came from the scheduler's list).
    TaskState(ComPtr<ITaskScheduler> scheduler, std::wstring name, ComPtr<ITask> task, bool saved);

    const std::wstring& Name() const noexcept { return name_; }
    ITaskScheduler& Scheduler() const noexcept { return *scheduler_.Get(); }
    bool Saved() const noexcept { return saved_; }

    // The work item; fails with a clear message once the task's file is gone,
    // so a removed task is never written back.
    ITask& Task() const;
    // Whether the scheduler holds a task of this name (in any letter case).
    bool Stored() const;

    // Writes the task's file. A new task must not replace one made meanwhile.
    void Save();

    // The creator and the like, read from the work item.
    using StringGetter = HRESULT (STDMETHODCALLTYPE ITask::*)(LPWSTR*);
    std::wstring Read(StringGetter getter, const wchar_t* what) const;

private:
    void SetAccount();

    ComPtr<ITaskScheduler> scheduler_;
    std::wstring name_;
    ComPtr<ITask> task_;
    bool saved_;
};

using SharedTask = std::shared_ptr<TaskState>;

// Tasks of the 9x family have no account and run as whoever is logged on.
bool IsNtFamily();

}  // namespace sched
