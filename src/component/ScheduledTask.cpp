#include "component/ScheduledTask.h"

#include <commctrl.h>

#include "component/AutomationError.h"
#include "component/ComponentModule.h"
#include "component/SchedulePropertiesDlg.h"
#include "component/TaskLauncher.h"
#include "component/TriggerObjects.h"

namespace sched {

namespace {

const AutomationMember kMembers[] = {
    {L"Triggers", ScheduledTask::kTriggers, true, false},
    {L"Name", ScheduledTask::kName, true, false},
    {L"Creator", ScheduledTask::kCreator, true, true},
    {L"Parameters", ScheduledTask::kParameters, true, true},
    {L"ApplicationName", ScheduledTask::kApplicationName, true, true},
    {L"Run", ScheduledTask::kRun, true, false},
    {L"Commit", ScheduledTask::kCommit, true, false},
    {L"EditProperties", ScheduledTask::kEditProperties, true, false},
};

// The folder of a program path, with the backslash of a drive's root kept.
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return std::wstring();
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

}  // namespace

ScheduledTask::ScheduledTask(SharedTask state)
    : AutomationObject(kMembers, sizeof kMembers / sizeof kMembers[0]), state_(std::move(state)) {}

void ScheduledTask::SetApplication(const std::wstring& path) {
    ITask& task = state_->Task();
    ThrowIfFailed(task.SetApplicationName(path.c_str()), L"The program of the task could not be set.");
    // The program starts in its own folder.
    ThrowIfFailed(task.SetWorkingDirectory(FolderOf(path).c_str()), L"The working folder of the task could not be set.");
}

void ScheduledTask::EditProperties() {
    ITask& task = state_->Task();
    const HWND owner = ::GetActiveWindow();
    // The system's own property sheet where there is one; this scheduler's
    // otherwise (some answer E_NOTIMPL).
    if (SUCCEEDED(task.EditWorkItem(owner, 0))) return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    SchedulePropertiesDlg dialog(*state_);
    if (dialog.DoModal(owner) == -1)
        Fail(L"The schedule window of the task \"" + state_->Name() + L"\" could not be opened.",
             HRESULT_FROM_WIN32(::GetLastError()));
}

void ScheduledTask::Read(DISPID id, const AutomationCall& call, VARIANT& result) {
    switch (id) {
    case kName: SetText(result, state_->Name()); break;
    case kCreator: SetText(result, state_->Read(&ITask::GetCreator, L"creator")); break;
    case kParameters: SetText(result, state_->Read(&ITask::GetParameters, L"parameters")); break;
    case kApplicationName: SetText(result, state_->Read(&ITask::GetApplicationName, L"program")); break;
    case kTriggers: SetObject(result, new TaskTriggerList(state_)); break;
    case kRun: RunTask(*state_); break;
    case kCommit:
        // The one string argument is reserved; callers send it empty.
        if (call.Count() > 0) call.Text(0);
        state_->Save();
        break;
    case kEditProperties: EditProperties(); break;
    default: break;
    }
}

void ScheduledTask::Write(DISPID id, const AutomationCall& call) {
    switch (id) {
    case kCreator:
        ThrowIfFailed(state_->Task().SetCreator(call.PutText().c_str()), L"The creator of the task could not be set.");
        break;
    case kParameters:
        ThrowIfFailed(state_->Task().SetParameters(call.PutText().c_str()), L"The parameters of the task could not be set.");
        break;
    case kApplicationName: SetApplication(call.PutText()); break;
    default: break;
    }
}

}  // namespace sched
