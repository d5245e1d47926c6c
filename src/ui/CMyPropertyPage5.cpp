#include "ui/CMyPropertyPage5.h"

#include "app/CShredApp.h"
#include "engine/RecycleBinShredAction.h"
#include "engine/ShredJob.h"
#include "res/resource.h"
#include "ui/JobGuard.h"
#include "ui/PageCaptions.h"
#include "ui/ScheduleRequests.h"

namespace {
const PageCaption kCaptions[] = {
    {IDC_BIN_GROUP, 9401},
    {IDC_BIN_SHRED_NOW, 9302},
    {IDC_BIN_SCHEDULE, 9303},
};
}  // namespace

static_assert(IDD_RECYCLE_BIN_PAGE == 108, "the page's template");

CMyPropertyPage5::CMyPropertyPage5(CShredApp& app, ScheduleRequests& schedule)
    : CMyPropertyPage5(Parts{app.context(), app.recycleBin(), app.skin(), schedule}) {}

BOOL CMyPropertyPage5::OnInitDialog() {
    parts_.skin.ApplySkin(Handle());
    return TRUE;
}

bool CMyPropertyPage5::OnSetActive() {
    SetPageCaptions(parts_.context.texts, Handle(), kCaptions);
    ::EnableWindow(Item(IDC_BIN_SCHEDULE), SchedulerUnavailable() ? FALSE : TRUE);
    return true;
}

bool CMyPropertyPage5::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDC_BIN_SHRED_NOW) return ShredNow(), true;
    if (id == IDC_BIN_SCHEDULE) return Schedule(), true;
    return false;
}

bool CMyPropertyPage5::SchedulerUnavailable() const { return parts_.context.machine.schedulerUnavailable; }

void CMyPropertyPage5::ShredNow() {
    JobGuard guard(parts_.context.state, *this);
    if (!guard.Started()) return;
    ShredJob::Begin(parts_.context.state, ShredJob::WindowRequest(parts_.context));
    ShredRecycleBinNow(parts_.context, parts_.shredder);
}

void CMyPropertyPage5::Schedule() {
    if (SchedulerUnavailable()) return;
    parts_.schedule.ScheduleRecycleBin(Handle());
}
