#include "component/TaskLauncher.h"

#include <vector>

#include "component/AutomationError.h"
#include "win/UniqueResource.h"

namespace sched {

namespace {

// How long the scheduler gets to show that it started the task.
constexpr DWORD kServiceWaitMs = 3000;
constexpr DWORD kPollMs = 100;

struct RunMark {
    HRESULT status = S_OK;
    SYSTEMTIME lastRun{};
    bool hasRun = false;
};

// Read from the task's file, which the scheduler updates, not from the
// copy this object loaded.
bool ReadMark(const TaskState& state, RunMark& mark) {
    IUnknown* raw = nullptr;
    if (FAILED(state.Scheduler().Activate(state.Name().c_str(), IID_ITask, &raw))) return false;
    ComPtr<ITask> fresh(static_cast<ITask*>(raw));
    if (FAILED(fresh.Get()->GetStatus(&mark.status))) mark.status = S_OK;
    mark.hasRun = fresh.Get()->GetMostRecentRunTime(&mark.lastRun) == S_OK;
    return true;
}

bool ServiceStarted(const TaskState& state, const RunMark& before) {
    for (DWORD waited = 0; waited < kServiceWaitMs; waited += kPollMs) {
        ::Sleep(kPollMs);
        RunMark now;
        if (!ReadMark(state, now)) return false;
        if (now.status == SCHED_S_TASK_RUNNING) return true;
        if (now.hasRun && (!before.hasRun || ::memcmp(&now.lastRun, &before.lastRun, sizeof now.lastRun) != 0))
            return true;
    }
    return false;
}

void StartProgram(const TaskState& state) {
    const std::wstring program = state.Read(&ITask::GetApplicationName, L"program");
    if (program.empty()) Fail(L"The task \"" + state.Name() + L"\" has no program to run.", E_UNEXPECTED);
    const std::wstring parameters = state.Read(&ITask::GetParameters, L"parameters");
    const std::wstring folder = state.Read(&ITask::GetWorkingDirectory, L"working folder");

    std::wstring line = L"\"" + program + L"\"";
    if (!parameters.empty()) line += L" " + parameters;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup;
    ::ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &started))
        ThrowIfFailed(HRESULT_FROM_WIN32(::GetLastError()), L"The program \"" + program + L"\" could not be started.");
    win::UniqueHandle process(started.hProcess);
    win::UniqueHandle thread(started.hThread);
}

}  // namespace

// A task that runs only while its user is logged on (every task Commit
// makes on the NT family; on 9x no task has an account) runs as the
// logged-on user anyway, so its program is started here, as the calling
// user, in the user's session: no waiting on the scheduler, which may start
// it late, twice, or (Wine's) without the program's name in front of its
// command line, so the program misreads its own arguments. A task never
// committed has no file for the scheduler and also starts here. Any other
// task (another program's, with an account of its own) goes to the
// scheduler; when the request fails, or the task's file shows neither a run
// in progress nor a newer last run within a few seconds, its program is
// started here instead.
void RunTask(TaskState& state) {
    ITask& task = state.Task();
    DWORD flags = 0;
    if (FAILED(task.GetFlags(&flags))) flags = 0;
    const bool asCaller = !state.Saved() || !IsNtFamily() || (flags & TASK_FLAG_RUN_ONLY_IF_LOGGED_ON) != 0;
    if (!asCaller) {
        RunMark before;
        if (ReadMark(state, before) && SUCCEEDED(task.Run()) && ServiceStarted(state, before)) return;
    }
    StartProgram(state);
}

}  // namespace sched
