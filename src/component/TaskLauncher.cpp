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

// The scheduler is asked first, since it runs the task as the task's
// account. Some schedulers accept the request and never start anything, so
// unless the task's file shows it running, or a newer last run, within a few
// seconds, the program is started here, as the calling user. A task that was
// never committed has no file for the scheduler to run and always starts
// here. A scheduler that starts the task only after the wait starts it a
// second time; the scheduled program must stand that in any case.
void RunTask(TaskState& state) {
    ITask& task = state.Task();
    RunMark before;
    if (state.Saved() && ReadMark(state, before) && SUCCEEDED(task.Run()) && ServiceStarted(state, before)) return;
    StartProgram(state);
}

}  // namespace sched
