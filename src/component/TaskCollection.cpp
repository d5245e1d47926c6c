#include "component/TaskCollection.h"

#include <algorithm>

#include "component/AutomationError.h"
#include "component/ScheduledTask.h"
#include "component/SharedFileRetry.h"
#include "component/TaskName.h"

namespace sched {

namespace {

const AutomationMember kMembers[] = {
    {L"Item", TaskCollection::kItem, true, false},       {L"Add", TaskCollection::kAdd, true, false},
    {L"Refresh", TaskCollection::kRefresh, true, false}, {L"Remove", TaskCollection::kRemove, true, false},
    {L"Count", TaskCollection::kCount, true, false},
};

// Names the scheduler hands out in one batch of the enumeration.
class NameBatch {
public:
    ~NameBatch() {
        for (ULONG i = 0; i < count; ++i) ::CoTaskMemFree(names[i]);
        ::CoTaskMemFree(names);
    }
    LPWSTR* names = nullptr;
    ULONG count = 0;
};

bool NameBefore(const std::wstring& a, const std::wstring& b) {
    const int folded = ::lstrcmpiW(a.c_str(), b.c_str());
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

TaskCollection::TaskCollection(ComPtr<ITaskScheduler> scheduler)
    : AutomationObject(kMembers, sizeof kMembers / sizeof kMembers[0]), scheduler_(std::move(scheduler)) {}

HRESULT TaskCollection::Create(REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    ITaskScheduler* raw = nullptr;
    HRESULT hr = ::CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                    reinterpret_cast<void**>(&raw));
    if (FAILED(hr)) return hr;
    ComPtr<ITaskScheduler> scheduler(raw);
    TaskCollection* collection = nullptr;
    try {
        collection = new TaskCollection(std::move(scheduler));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    try {
        collection->Refresh();
    } catch (...) {
        // The collection still exists; the next Refresh tells the caller what is wrong.
    }
    hr = collection->QueryInterface(riid, out);
    collection->Release();
    return hr;
}

std::vector<std::wstring> TaskCollection::ListNames() const {
    IEnumWorkItems* rawItems = nullptr;
    ThrowIfFailed(scheduler_.Get()->Enum(&rawItems), L"The scheduler's tasks could not be listed.");
    const ComPtr<IEnumWorkItems> items(rawItems);
    std::vector<std::wstring> names;
    for (;;) {
        NameBatch batch;
        const HRESULT hr = items.Get()->Next(32, &batch.names, &batch.count);
        ThrowIfFailed(hr, L"The scheduler's tasks could not be listed.");
        for (ULONG i = 0; i < batch.count; ++i)
            if (batch.names[i] != nullptr) names.push_back(TaskNameFromFileName(batch.names[i]));
        if (hr != S_OK || batch.count == 0) break;
    }
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

void TaskCollection::Refresh() { names_ = ListNames(); }

size_t TaskCollection::Position(const AutomationCall& call) const {
    const long index = call.Int32(0);
    if (index < 1 || static_cast<size_t>(index) > names_.size())
        Fail(L"There is no task number " + std::to_wstring(index) + L"; the collection holds " +
                 std::to_wstring(names_.size()) + L" tasks, numbered from 1.",
             DISP_E_BADINDEX);
    return static_cast<size_t>(index - 1);
}

IDispatch* TaskCollection::Item(size_t position) const {
    const std::wstring& name = names_[position];
    IUnknown* raw = nullptr;
    ThrowIfFailed(scheduler_.Get()->Activate(name.c_str(), IID_ITask, &raw),
                  L"The task \"" + name + L"\" could not be opened.");
    ComPtr<ITask> task(static_cast<ITask*>(raw));
    return new ScheduledTask(std::make_shared<TaskState>(Share(scheduler_.Get()), name, std::move(task), true));
}

IDispatch* TaskCollection::Add(const std::wstring& name) const {
    const std::wstring problem = TaskNameProblem(name);
    if (!problem.empty()) Fail(problem, E_INVALIDARG);
    for (const std::wstring& existing : ListNames()) {
        if (existing == name) Fail(L"A task named \"" + name + L"\" already exists.", HRESULT_FROM_WIN32(ERROR_FILE_EXISTS));
        // Each task is the file "<name>.job", and file names ignore letter case.
        if (::lstrcmpiW(existing.c_str(), name.c_str()) == 0)
            Fail(L"A task named \"" + existing + L"\" already exists. Task names that differ only in letter case "
                     L"cannot be told apart by the scheduler; please choose another name.",
                 HRESULT_FROM_WIN32(ERROR_FILE_EXISTS));
    }
    IUnknown* raw = nullptr;
    ThrowIfFailed(scheduler_.Get()->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask, &raw),
                  L"The task \"" + name + L"\" could not be made.");
    ComPtr<ITask> task(static_cast<ITask*>(raw));
    return new ScheduledTask(std::make_shared<TaskState>(Share(scheduler_.Get()), name, std::move(task), false));
}

void TaskCollection::Remove(size_t position) {
    const std::wstring name = names_[position];
    ITaskScheduler* scheduler = scheduler_.Get();
    const HRESULT hr = RetryWhileShared([&] { return scheduler->Delete(name.c_str()); });
    ThrowIfFailed(hr, L"The task \"" + name + L"\" could not be removed.");
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(position));
}

void TaskCollection::Read(DISPID id, const AutomationCall& call, VARIANT& result) {
    switch (id) {
    case kRefresh: Refresh(); break;
    case kCount: SetInt32(result, static_cast<long>(names_.size())); break;
    case kItem: SetObject(result, Item(Position(call))); break;
    case kAdd: SetObject(result, Add(call.Text(0))); break;
    case kRemove: Remove(Position(call)); break;
    default: break;
    }
}

}  // namespace sched
