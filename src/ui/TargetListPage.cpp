#include "ui/TargetListPage.h"

#include "engine/EngineState.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "ui/JobGuard.h"
#include "ui/PageCaptions.h"
#include "ui/PageJobs.h"
#include "ui/PathNames.h"
#include "engine/UserInteraction.h"
#include "lang/TextFill.h"
#include "win/SkinEngine.h"
#include "win/UniqueResource.h"

TargetListPage::TargetListPage(const Layout& layout, const PageServices& services)
    : win::PropertyPage(layout.templateId), services_(services), layout_(layout) {}

BOOL TargetListPage::OnInitDialog() {
    services_.skin.ApplySkin(Handle());
    OnInitTargets();
    targets_.Attach(Item(layout_.listControl));
    targets_.view().AddColumn(services_.context.texts.Text(layout_.columnTitle));
    ::DragAcceptFiles(Handle(), TRUE);
    return TRUE;
}

bool TargetListPage::OnSetActive() {
    SetPageCaptions(services_.context.texts, Handle(), layout_.captions, layout_.captionCount);
    SetListHeaders(services_.context.texts, targets_.view(), &layout_.columnTitle, 1);
    ::EnableWindow(Item(IDC_TARGETS_SCHEDULE), SchedulingAvailable(services_));
    return true;
}

bool TargetListPage::OnCommand(WORD id, WORD code, HWND /*control*/) {
    if (code != BN_CLICKED) return false;
    // While a job runs nothing else starts and the list stays as the job sees it.
    if (services_.context.state.jobRunning) return id >= IDC_TARGETS_BROWSE && id <= IDC_TARGETS_REMOVE_ALL;
    switch (id) {
    case IDC_TARGETS_BROWSE: OnBrowse(); return true;
    case IDC_TARGETS_REMOVE_ITEM: OnRemoveItem(); return true;
    case IDC_TARGETS_REMOVE_ALL: OnRemoveAll(); return true;
    case IDC_TARGETS_SHRED_NOW: OnShredNow(); return true;
    case IDC_TARGETS_SCHEDULE: OnSchedule(); return true;
    default: return OnPageButton(id);
    }
}

INT_PTR TargetListPage::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message != WM_DROPFILES) return FALSE;
    win::UniqueResource<DropTraits> drop(reinterpret_cast<HDROP>(wParam));
    if (!services_.context.state.jobRunning) OnDropFiles(drop.Get());
    return TRUE;
}

void TargetListPage::OnRemoveItem() {
    if (targets_.view().SelectedCount() == 0) {
        ShowPageMessage(services_, layout_.noneSelected, MB_ICONERROR);
        return;
    }
    targets_.RemoveSelected();
}

void TargetListPage::OnRemoveAll() {
    if (targets_.empty()) {
        ShowPageMessage(services_, layout_.emptyOnRemove, MB_ICONERROR);
        return;
    }
    if (ShowPageMessage(services_, layout_.askRemoveAll, MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2) == IDYES)
        targets_.Clear();
}

void TargetListPage::OnShredNow() {
    if (targets_.empty()) {
        ShowPageMessage(services_, layout_.nothingToShred, MB_ICONERROR);
        return;
    }
    JobGuard guard(services_.context.state, *this);
    if (!guard.Started()) return;
    const PageJobResult result = ShredTargets(targets_.paths());
    if (!result.ran) return;
    // What was not shredded stays listed, and the user is told.
    targets_.Keep(result.kept);
    if (result.kept.empty()) return;
    const std::string text =
        ReplaceAll(services_.context.texts.Text(15260), "%u", std::to_string(result.kept.size()));
    services_.context.ui.ShowMessage(text, services_.context.programCaption, MB_OK | MB_ICONINFORMATION);
}

void TargetListPage::OnSchedule() {
    if (!SchedulingAvailable(services_)) return;
    JobGuard guard(services_.context.state, *this);
    if (!guard.Started()) return;
    if (ScheduleTargets(targets_.paths())) targets_.Clear();
}
