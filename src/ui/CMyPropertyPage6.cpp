#include "ui/CMyPropertyPage6.h"

#include <shellapi.h>

#include <algorithm>

#include "app/CShredApp.h"
#include "res/resource.h"
#include "ui/PageCaptions.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {

const PageCaption kCaptions[] = {
    {IDC_TASK_GROUP, 9501},      {IDC_TASK_LIST_LABEL, 9502}, {IDC_TASK_PROPERTIES, 9503},
    {IDC_TASK_RUN_NOW, 9504},    {IDC_TASK_DELETE, 9505},     {IDC_TASK_DELETE_ALL, 9506},
    {IDC_TASK_VIEW_LOG, 9507},   {IDC_TASK_ADD, 9509},
};

const int kHeaders[] = {9508};

using OpenFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// The log's path may name a user's folder in any script, so the wide call
// where the system has one; the 9x family's shell takes the code page.
bool Open(HWND owner, const std::wstring& file, const std::wstring& parameters, const std::wstring& folder) {
    const auto wide = win::fs::IsNtFamily() ? reinterpret_cast<OpenFunction>(::GetProcAddress(
                                                  ::GetModuleHandleA("shell32.dll"), "ShellExecuteW"))
                                            : nullptr;
    const wchar_t* const arguments = parameters.empty() ? nullptr : parameters.c_str();
    const HINSTANCE opened =
        wide != nullptr
            ? wide(owner, L"open", file.c_str(), arguments, folder.c_str(), SW_SHOW)
            : ::ShellExecuteA(owner, "open", win::NarrowAnsi(file).c_str(),
                              arguments != nullptr ? win::NarrowAnsi(parameters).c_str() : nullptr,
                              win::NarrowAnsi(folder).c_str(), SW_SHOW);
    return reinterpret_cast<INT_PTR>(opened) > 32;
}

// The user's viewer for text files; where none is registered, Notepad,
// which every system has and which reads the log's UTF-8 mark.
void OpenWithShell(HWND owner, const win::FsPath& file, const win::FsPath& folder) {
    if (Open(owner, file.Text(), std::wstring(), folder.Text())) return;
    Open(owner, L"notepad.exe", L"\"" + file.Text() + L"\"", folder.Text());
}

BOOL CALLBACK DisableChild(HWND child, LPARAM) {
    ::EnableWindow(child, FALSE);
    return TRUE;
}

}  // namespace

CMyPropertyPage6::CMyPropertyPage6(CShredApp& app)
    : CMyPropertyPage6(Parts{app.texts(), app.programCaption(), app.ui(), app.machine(), app.skin(),
                             app.scheduler(), app.currentTask()}) {}

CMyPropertyPage6::CMyPropertyPage6(const Parts& parts)
    : win::PropertyPage(IDD_SCHEDULER_PAGE),
      parts_(parts),
      tasks_(parts.scheduler, parts.currentTask),
      openLog_(&OpenWithShell) {}

BOOL CMyPropertyPage6::OnInitDialog() {
    parts_.skin.ApplySkin(Handle());
    list_.Attach(Item(IDC_TASK_LIST));
    const std::string header = parts_.texts.Text(9508);
    list_.AddColumn(header);
    columnWidth_ = list_.TextWidth(header) + win::AutoFitListCtrl::kPadding;
    return TRUE;
}

bool CMyPropertyPage6::OnSetActive() {
    if (!Available())
        DisablePage();
    else
        FillList();
    SetPageCaptions(parts_.texts, Handle(), kCaptions);
    SetListHeaders(parts_.texts, list_, kHeaders, 1);
    return true;
}

bool CMyPropertyPage6::Available() const { return !parts_.machine.schedulerUnavailable && tasks_.Usable(); }

void CMyPropertyPage6::DisablePage() {
    ::EnumChildWindows(Handle(), &DisableChild, 0);
    ::EnableWindow(Handle(), FALSE);
}

void CMyPropertyPage6::FillList() {
    list_.DeleteAllRows();
    for (const ScheduledTasks::Row& row : tasks_.Fill()) {
        list_.AddRow(row.name);
        columnWidth_ = std::max(columnWidth_, list_.TextWidth(row.name));
    }
    list_.SetColumnWidth(0, columnWidth_ + win::AutoFitListCtrl::kPadding);
}

bool CMyPropertyPage6::OnCommand(WORD id, WORD code, HWND) {
    // A disabled page does nothing, whatever reaches it.
    if (code != BN_CLICKED || !Available()) return false;
    switch (id) {
    case IDC_TASK_PROPERTIES: Act(&ScheduledTasks::Properties); return true;
    case IDC_TASK_RUN_NOW: Act(&ScheduledTasks::Run); return true;
    case IDC_TASK_DELETE: Act(&ScheduledTasks::Delete); return true;
    case IDC_TASK_DELETE_ALL: DeleteAll(); return true;
    case IDC_TASK_VIEW_LOG: ViewLog(); return true;
    default: return false;
    }
}

int CMyPropertyPage6::SelectedRow() {
    const int row = list_.FirstSelected();
    if (row < 0) ShowError(9028);
    return row;
}

void CMyPropertyPage6::Act(ScheduledTasks::Outcome (ScheduledTasks::*action)(size_t)) {
    const int row = SelectedRow();
    if (row < 0) return;
    if ((tasks_.*action)(static_cast<size_t>(row)) == ScheduledTasks::Outcome::Gone) {
        TaskGone(15130);
        return;
    }
    // After a removal every row and its index again designate the task shown.
    if (action == &ScheduledTasks::Delete) FillList();
}

void CMyPropertyPage6::DeleteAll() {
    if (parts_.ui.ShowMessage(parts_.texts.Text(9029), parts_.texts.Text(9064),
                              MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2) != IDYES)
        return;
    const ScheduledTasks::Outcome outcome = tasks_.DeleteAll();
    list_.DeleteAllRows();
    if (outcome == ScheduledTasks::Outcome::Gone) TaskGone(15131);
}

void CMyPropertyPage6::TaskGone(int messageId) {
    FillList();
    parts_.ui.ShowMessage(parts_.texts.Text(messageId), parts_.programCaption, MB_OK | MB_ICONWARNING);
}

void CMyPropertyPage6::ViewLog() {
    // The file start-up chose, beside the program or in the user's own folder.
    const win::FsPath& log = parts_.machine.logFile;
    const DWORD attributes = log.empty() ? INVALID_FILE_ATTRIBUTES : win::fs::Attributes(log);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ShowError(9086);
        return;
    }
    openLog_(Handle(), log, log.Parent());
}

void CMyPropertyPage6::ShowError(int messageId) {
    parts_.ui.ShowMessage(parts_.texts.Text(messageId), parts_.programCaption, MB_OK | MB_ICONERROR);
}
