#include "ui/CMyPropertyPage7.h"

#include <algorithm>

#include "app/CShredApp.h"
#include "engine/ShredJob.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/RestorePointShredder.h"
#include "engine/ShadowCopyRestorePoints.h"
#include "engine/UserInteraction.h"
#include "res/resource.h"
#include "ui/JobGuard.h"
#include "ui/PageCaptions.h"
#include "ui/ScheduleRequests.h"

namespace {
const PageCaption kCaptions[] = {
    {IDC_RP_SHRED_NOW, 14001}, {IDC_RP_SCHEDULE, 14002}, {IDC_RP_REMOVE, 14003},
    {IDC_RP_REMOVE_ALL, 14004}, {IDC_RP_REFRESH, 14009},
};
}  // namespace

CMyPropertyPage7::CMyPropertyPage7(CShredApp& app, ScheduleRequests& schedule)
    : CMyPropertyPage7(Parts{app.context(), app.restorePointJobs(), app.restorePoints(), app.skin(), schedule,
                             &app.shadowCopyJobs()}) {}

CMyPropertyPage7::CMyPropertyPage7(const Parts& parts) : win::PropertyPage(IDD_RESTORE_POINTS_PAGE), parts_(parts) {}

BOOL CMyPropertyPage7::OnInitDialog() {
    parts_.skin.ApplySkin(Handle());
    list_.Attach(Item(IDC_RP_LIST));
    list_.SetFullRowSelect();
    for (int column = 0; column < RestorePointRows::kColumns; ++column) {
        const std::string header = parts_.context.texts.Text(RestorePointRows::kHeaderIds[column]);
        list_.AddColumn(header);
        rows_.Widen(column, list_.TextWidth(header));
    }
    Fill();
    return TRUE;
}

bool CMyPropertyPage7::OnSetActive() {
    SetPageCaptions(parts_.context.texts, Handle(), kCaptions);
    SetListHeaders(parts_.context.texts, list_, RestorePointRows::kHeaderIds, RestorePointRows::kColumns);
    ::EnableWindow(Item(IDC_RP_SCHEDULE), SchedulerUnavailable() ? FALSE : TRUE);
    return true;
}

bool CMyPropertyPage7::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_RP_SHRED_NOW: ShredNow(); return true;
    case IDC_RP_SCHEDULE: Schedule(); return true;
    case IDC_RP_REMOVE: RemoveItem(); return true;
    case IDC_RP_REMOVE_ALL: RemoveAll(); return true;
    case IDC_RP_REFRESH: RefreshList(); return true;
    default: return false;
    }
}

INT_PTR CMyPropertyPage7::OnMessage(UINT message, WPARAM, LPARAM) {
    // The session may end: a running job stops; the answer stays the default.
    if (message == WM_QUERYENDSESSION) parts_.context.state.cancelRequested = true;
    return FALSE;
}

void CMyPropertyPage7::Fill() {
    for (const RestorePointRecord& point : parts_.restorePoints) {
        const auto texts = RestorePointRows::Texts(point);
        const int row = list_.AddRow(texts[0]);
        for (int column = 0; column < RestorePointRows::kColumns; ++column) {
            if (column > 0) list_.SetText(row, column, texts[static_cast<size_t>(column)]);
            rows_.Widen(column, list_.TextWidth(texts[static_cast<size_t>(column)]));
        }
        // Shadow copies have no folders to look for.
        if (!ShadowCopyRoad()) parts_.jobs.FindRestorePointFolders(point.sequenceNumber, folders_);
    }
    for (int column = 0; column < RestorePointRows::kColumns; ++column)
        list_.SetColumnWidth(column, rows_.Width(column) + win::AutoFitListCtrl::kPadding);
}

void CMyPropertyPage7::Clear() {
    list_.DeleteAllRows();
    folders_.clear();
}

void CMyPropertyPage7::RefreshList() {
    Clear();
    Fill();
}

void CMyPropertyPage7::RemoveItem() {
    const int selected = list_.SelectedCount();
    if (selected == 0) return ShowError(9089);
    for (int i = 0; i < selected; ++i) {
        const int row = list_.FirstSelected();
        if (row < 0) break;
        RestorePointShredder::RemoveRestorePointFolders(
            RestorePointRows::NumberOf(list_.Text(row, RestorePointRows::kNumberColumn)), folders_);
        list_.DeleteRow(row);
    }
}

void CMyPropertyPage7::RemoveAll() {
    if (list_.RowCount() == 0) return ShowError(9090);
    if (Ask(9091, parts_.context.programCaption) == IDYES) Clear();
}

void CMyPropertyPage7::ShredNow() {
    if (list_.RowCount() == 0) return ShowError(9093);
    if (Ask(9088, parts_.context.texts.Text(9064)) != IDYES) return;
    JobGuard guard(parts_.context.state, *this);
    if (!guard.Started()) return;
    ShredJob::Begin(parts_.context.state, ShredJob::WindowRequest(parts_.context));
    if (ShadowCopyRoad()) {
        RemoveShownPoints();
    } else if (static_cast<size_t>(list_.RowCount()) == parts_.restorePoints.size()) {
        if (parts_.jobs.ShredRestorePoints()) {
            Clear();
            parts_.restorePoints.clear();
        }
    } else {
        parts_.jobs.ShredRestorePointFolders(folders_);
        // Shredded points are gone: a Refresh List must not bring them back.
        ForgetListedPoints();
        Clear();
    }
    FinishJob();
}

void CMyPropertyPage7::RemoveShownPoints() {
    ShadowCopyRestorePoints& road = *parts_.shadowCopies;
    const std::vector<int16_t> removed = static_cast<size_t>(list_.RowCount()) == parts_.restorePoints.size()
                                             ? road.RemoveAllRestorePoints()
                                             : road.RemoveRestorePoints(ListedPoints());
    // The job forgot the removed points; a point the system kept keeps its row.
    for (int row = list_.RowCount() - 1; row >= 0; --row) {
        const int16_t number = RestorePointRows::NumberOf(list_.Text(row, RestorePointRows::kNumberColumn));
        if (std::find(removed.begin(), removed.end(), number) != removed.end()) list_.DeleteRow(row);
    }
}

std::vector<int16_t> CMyPropertyPage7::ListedPoints() const {
    std::vector<int16_t> listed;
    for (int row = 0; row < list_.RowCount(); ++row)
        listed.push_back(RestorePointRows::NumberOf(list_.Text(row, RestorePointRows::kNumberColumn)));
    return listed;
}

bool CMyPropertyPage7::ShadowCopyRoad() const {
    return parts_.shadowCopies != nullptr && parts_.context.machine.isVistaOrLater;
}

void CMyPropertyPage7::ForgetListedPoints() {
    const std::vector<int16_t> listed = ListedPoints();
    auto& points = parts_.restorePoints;
    points.erase(std::remove_if(points.begin(), points.end(),
                                [&listed](const RestorePointRecord& point) {
                                    return std::find(listed.begin(), listed.end(), point.sequenceNumber) !=
                                           listed.end();
                                }),
                 points.end());
}

void CMyPropertyPage7::FinishJob() {
    ::EnableWindow(Handle(), TRUE);
    parts_.context.ui.CloseProgress();
}

void CMyPropertyPage7::Schedule() {
    if (SchedulerUnavailable()) return;
    if (ShadowCopyRoad()) return ScheduleEveryPoint();
    if (folders_.empty()) return ShowError(9092);
    const size_t rowsShown = static_cast<size_t>(list_.RowCount());
    if (parts_.schedule.ScheduleRestorePoints(Handle(), folders_, rowsShown, parts_.restorePoints.size())) Clear();
}

// A task names no single shadow copy: it runs the word for every point.
void CMyPropertyPage7::ScheduleEveryPoint() {
    const size_t rowsShown = static_cast<size_t>(list_.RowCount());
    if (rowsShown == 0) return ShowError(9092);
    if (rowsShown != parts_.restorePoints.size()) {
        parts_.context.ui.ShowMessage(parts_.context.texts.Text(15283), parts_.context.programCaption,
                                      MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (parts_.schedule.ScheduleRestorePoints(Handle(), folders_, rowsShown, parts_.restorePoints.size())) Clear();
}

int CMyPropertyPage7::Ask(int messageId, const std::string& caption) {
    return parts_.context.ui.ShowMessage(parts_.context.texts.Text(messageId), caption,
                                         MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2);
}

void CMyPropertyPage7::ShowError(int messageId) {
    parts_.context.ui.ShowMessage(parts_.context.texts.Text(messageId), parts_.context.programCaption,
                                  MB_OK | MB_ICONERROR);
}

bool CMyPropertyPage7::SchedulerUnavailable() const { return parts_.context.machine.schedulerUnavailable; }
