#include "ui/CMyPropertyPage4.h"

#include <algorithm>

#include "app/CShredApp.h"
#include "engine/MftRecordFill.h"
#include "engine/ProgressControl.h"
#include "engine/Settings.h"
#include "res/resource.h"
#include "scheduler/TaskCommandLine.h"
#include "ui/DriveRows.h"
#include "engine/ShredJob.h"
#include "ui/JobGuard.h"
#include "ui/PageCaptions.h"
#include "ui/ScheduleRequests.h"

namespace {
const int kHeadings[4] = {9309, 9310, 9311, 9312};
}  // namespace

CMyPropertyPage4::CMyPropertyPage4(CShredApp& app, ScheduleRequests& schedule)
    : CMyPropertyPage4(app, schedule, app.freeSpace()) {}

CMyPropertyPage4::CMyPropertyPage4(CShredApp& app, ScheduleRequests& schedule, FreeSpaceJob& job)
    : PropertyPage(IDD_PAGE_DRIVE), app_(app), schedule_(schedule), job_(job) {}

BOOL CMyPropertyPage4::OnInitDialog() {
    list_.Attach(Item(IDC_DRIVE_LIST));
    list_.SetFullRowSelect();
    for (int column = 0; column < 4; ++column) {
        const std::string heading = app_.texts().Text(kHeadings[column]);
        list_.AddColumn(heading);
        widest_[column] = list_.TextWidth(heading);
    }
    driveOption_ = 0;
    FillList();
    for (int column = 0; column < 4; ++column)
        list_.SetColumnWidth(column, widest_[column] + win::AutoFitListCtrl::kPadding);
    return TRUE;
}

void CMyPropertyPage4::FillList() {
    for (const DriveInfo& drive : app_.machine().fixedDrives) {
        const int row = list_.AddRow(drive.displayName);
        if (row < 0) continue;
        widest_[0] = std::max(widest_[0], list_.TextWidth(drive.displayName));
        SetCell(row, 1, drive.fileSystem);
        SetCell(row, 2, GigabyteText(drive.freeGiB));
        SetCell(row, 3, GigabyteText(drive.totalGiB));
    }
}

void CMyPropertyPage4::SetCell(int row, int column, const std::string& text) {
    list_.SetText(row, column, text);
    widest_[column] = std::max(widest_[column], list_.TextWidth(text));
}

bool CMyPropertyPage4::OnSetActive() {
    const LanguagePack& texts = app_.texts();
    texts.SetDlgItem(9301, IDC_DRIVE_GROUP, Handle());
    texts.SetDlgItem(9302, IDC_DRIVE_SHRED_NOW, Handle());
    texts.SetDlgItem(9303, IDC_DRIVE_SCHEDULE, Handle());
    SetListHeaders(texts, list_, kHeadings, 4);
    if (app_.machine().schedulerUnavailable) ::EnableWindow(Item(IDC_DRIVE_SCHEDULE), FALSE);
    return true;
}

bool CMyPropertyPage4::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDC_DRIVE_SHRED_NOW) {
        OnShredNow();
        return true;
    }
    if (id == IDC_DRIVE_SCHEDULE) {
        OnSchedule();
        return true;
    }
    return false;
}

INT_PTR CMyPropertyPage4::OnMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_QUERYENDSESSION:
        app_.state().cancelRequested = true;
        ::SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DESTROY: CloseProgressDialog(app_.context()); return FALSE;
    default: return FALSE;
    }
}

std::string CMyPropertyPage4::SelectedRoot() {
    const int row = list_.FirstSelected();
    if (row < 0) {
        app_.ui().ShowMessage(app_.texts().Text(9075), app_.programCaption(), MB_OK | MB_ICONEXCLAMATION);
        return {};
    }
    return DriveRootOfRow(list_.Text(row, 0));
}

void CMyPropertyPage4::OnShredNow() {
    JobGuard guard(app_.state(), *this);
    if (!guard.Started()) return;
    const std::string root = SelectedRoot();
    if (root.empty()) return;
    ShredJob::Begin(app_.state(), ShredJob::WindowRequest(app_.context()));
    job_.ShredFreeSpace(root);
    CloseProgressDialog(app_.context());
    // What the clusters' fill cannot tell by itself: the MFT's share.
    if (const uint64_t records = job_.mftRecordsOverwritten())
        app_.ui().ShowMessage(MftRecordsText(app_.context(), records, root.substr(0, 2)), app_.programCaption(),
                              MB_OK | MB_ICONINFORMATION);
}

void CMyPropertyPage4::OnSchedule() {
    // Without the scheduling component the button is disabled; a click sent
    // all the same does nothing.
    if (app_.machine().schedulerUnavailable) return;
    JobGuard guard(app_.state(), *this);
    if (!guard.Started()) return;
    if (SelectedRoot().empty()) return;
    schedule_.ScheduleDrive(Handle(), list_.Text(list_.FirstSelected(), 0), driveOption_);
}
