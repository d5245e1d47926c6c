#include "component/TaskState.h"

#include <vector>

#include "component/AutomationError.h"
#include "component/SharedFileRetry.h"

namespace sched {

TaskState::TaskState(ComPtr<ITaskScheduler> scheduler, std::wstring name, ComPtr<ITask> task, bool saved)
    : scheduler_(std::move(scheduler)), name_(std::move(name)), task_(std::move(task)), saved_(saved) {}

bool TaskState::Stored() const {
    IUnknown* found = nullptr;
    const HRESULT hr = scheduler_.Get()->Activate(name_.c_str(), IID_ITask, &found);
    if (found != nullptr) found->Release();
    return SUCCEEDED(hr);
}

ITask& TaskState::Task() const {
    if (saved_ && !Stored()) Fail(L"The task \"" + name_ + L"\" was removed.", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    return *task_.Get();
}

std::wstring TaskState::Read(StringGetter getter, const wchar_t* what) const {
    LPWSTR raw = nullptr;
    ThrowIfFailed((Task().*getter)(&raw), std::wstring(L"The ") + what + L" of the task \"" + name_ + L"\" could not be read.");
    const UniqueTaskString text(raw);
    return text.Valid() ? std::wstring(text.Get()) : std::wstring();
}

bool IsNtFamily() {
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void TaskState::SetAccount() {
    if (!IsNtFamily()) return;
    std::vector<wchar_t> user(257);
    DWORD size = static_cast<DWORD>(user.size());
    if (!::GetUserNameW(user.data(), &size))
        ThrowIfFailed(HRESULT_FROM_WIN32(::GetLastError()), L"The current user's name could not be read.");
    ITask& task = Task();
    DWORD flags = 0;
    ThrowIfFailed(task.GetFlags(&flags), L"The task's flags could not be read.");
    // Runs as the current user while logged on, so no password is ever asked or kept.
    ThrowIfFailed(task.SetFlags(flags | TASK_FLAG_RUN_ONLY_IF_LOGGED_ON), L"The task's flags could not be set.");
    ThrowIfFailed(task.SetAccountInformation(user.data(), nullptr),
                  L"The task \"" + name_ + L"\" could not be set to run as the current user.");
}

void TaskState::Save() {
    if (!saved_ && Stored())
        Fail(L"A task named \"" + name_ + L"\" already exists.", HRESULT_FROM_WIN32(ERROR_FILE_EXISTS));
    SetAccount();
    IPersistFile* rawFile = nullptr;
    ThrowIfFailed(Task().QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)),
                  L"The task \"" + name_ + L"\" cannot be saved.");
    const ComPtr<IPersistFile> file(rawFile);
    ThrowIfFailed(RetryWhileShared([&] { return file.Get()->Save(nullptr, TRUE); }),
                  L"The task \"" + name_ + L"\" could not be saved.");
    saved_ = true;
}

}  // namespace sched
