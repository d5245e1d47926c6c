#include "ui/FirstRunWizard.h"

#include <commctrl.h>

#include <utility>

#include "app/CShredApp.h"
#include "engine/MachineFacts.h"
#include "engine/ProgressControl.h"
#include "engine/ShadowCopyRestorePoints.h"
#include "engine/ShredJob.h"
#include "engine/SettingsStore.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/SkinEngine.h"
#include "win/WizardSheet.h"

namespace {

class WizardDialog final : public win::WizardSheet {
public:
    WizardDialog(const LanguagePack& texts, SkinEngine& skin)
        : WizardSheet(IDD_WIZARD, IDC_WIZARD_PLACE), texts_(texts), skin_(skin) {}

protected:
    BOOL OnInitDialog() override {
        ::SetWindowTextA(Handle(), texts_.Text(15221).c_str());
        texts_.SetDlgItem(15222, IDC_WIZARD_BACK, Handle());
        texts_.SetDlgItem(15223, IDC_WIZARD_NEXT, Handle());
        texts_.SetDlgItem(15224, IDC_WIZARD_FINISH, Handle());
        texts_.SetDlgItem(15225, IDCANCEL, Handle());
        ShowInTaskbar();
        skin_.ApplySkin(Handle());
        return WizardSheet::OnInitDialog();
    }

private:
    // The wizard comes before the main window shows, so it has the
    // program's taskbar button and icon until then.
    void ShowInTaskbar() {
        HWND window = Handle();
        ::SetWindowLongPtrA(window, GWL_EXSTYLE, ::GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
        HINSTANCE instance = ::GetModuleHandleA(nullptr);
        for (const auto& size : {std::make_pair(ICON_BIG, SM_CXICON), std::make_pair(ICON_SMALL, SM_CXSMICON)}) {
            const int pixels = ::GetSystemMetrics(size.second);
            auto icon = static_cast<HICON>(
                ::LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, pixels, pixels, LR_SHARED));
            if (icon != nullptr) ::SendMessageA(window, WM_SETICON, size.first, reinterpret_cast<LPARAM>(icon));
        }
    }

    const LanguagePack& texts_;
    SkinEngine& skin_;
};

// The restore-points step. False when the wizard should open again next time.
bool ShredChosenRestorePoints(FirstRunParts& parts, RestorePointsOfferPage& page) {
    const bool shadowCopies = parts.jobs.RestorePointsAreShadowCopies();
    if (shadowCopies ? page.shownPoints().empty() : page.folders().empty()) {
        parts.ui.ShowMessage(parts.texts.Text(9093), parts.caption, MB_ICONSTOP);
        return false;
    }
    if (parts.ui.ShowMessage(parts.texts.Text(9088), parts.caption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP) != IDYES)
        return false;
    const int16_t everyPoint = static_cast<int16_t>(parts.restorePoints.size());
    if (page.shownCount() > 0 && page.shownCount() == everyPoint) {
        const bool done = parts.jobs.ShredRestorePoints();
        if (done) page.Clear();
        parts.jobs.CloseProgressDialog();
        // The job ran: the first run is over on this road too.
        return done;
    }
    if (shadowCopies)
        parts.jobs.RemoveRestorePoints(page.shownPoints());
    else
        parts.jobs.ShredRestorePointFolders(page.folders());
    page.Clear();
    parts.jobs.CloseProgressDialog();
    return true;
}

}  // namespace

bool EngineFirstRunJobs::RecycleBinIsEmpty() { return parts_.recycleBin.RecycleBinIsEmpty(); }
void EngineFirstRunJobs::ShredRecycleBin() {
    ShredJob::Begin(parts_.context.state, ShredJob::WindowRequest(parts_.context));
    parts_.recycleBin.ShredRecycleBin();
}
bool EngineFirstRunJobs::SchedulerAvailable() {
    return !parts_.machine.schedulerUnavailable && parts_.tasks.Available();
}
void EngineFirstRunJobs::CreateDefaultFreeSpaceTask() { parts_.tasks.CreateDefaultFreeSpaceTask(); }
bool EngineFirstRunJobs::ShredRestorePoints() {
    ShredJob::Begin(parts_.context.state, ShredJob::WindowRequest(parts_.context));
    if (RestorePointsAreShadowCopies()) return !parts_.shadowCopies->RemoveAllRestorePoints().empty();
    return parts_.restorePoints.ShredRestorePoints();
}
void EngineFirstRunJobs::RemoveRestorePoints(const std::vector<int16_t>& numbers) {
    ShredJob::Begin(parts_.context.state, ShredJob::WindowRequest(parts_.context));
    if (RestorePointsAreShadowCopies()) parts_.shadowCopies->RemoveRestorePoints(numbers);
}
bool EngineFirstRunJobs::RestorePointsAreShadowCopies() {
    return parts_.shadowCopies != nullptr && parts_.machine.isVistaOrLater;
}
void EngineFirstRunJobs::ShredRestorePointFolders(const std::vector<std::string>& folders) {
    ShredJob::Begin(parts_.context.state, ShredJob::WindowRequest(parts_.context));
    parts_.restorePoints.ShredRestorePointFolders(folders);
}
void EngineFirstRunJobs::FindRestorePointFolders(int16_t sequenceNumber, std::vector<std::string>& folders) {
    parts_.restorePoints.FindRestorePointFolders(sequenceNumber, folders);
}
void EngineFirstRunJobs::CloseProgressDialog() { ::CloseProgressDialog(parts_.context); }

int RunFirstRunWizard(FirstRunParts& parts, HWND owner) {
    // The restore-point page's list must have its class before the page is made.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    WizardDialog sheet(parts.texts, parts.skin);
    OfferPage freeSpace(IDD_WIZARD_FREE_SPACE, IDC_WIZARD_SCHEDULE_FREE_SPACE, parts.texts, 15226, 15227, parts.skin);
    RestorePointsOfferPage points(parts.texts, parts.skin, parts.ui, parts.caption, parts.restorePoints, parts.jobs);
    OfferPage recycleBin(IDD_WIZARD_RECYCLE_BIN, IDC_WIZARD_SHRED_BIN, parts.texts, 15230, 15231, parts.skin);
    const bool canSchedule = parts.jobs.SchedulerAvailable();
    if (!canSchedule) freeSpace.Withhold(IDC_WIZARD_SCHEDULER_MISSING, parts.texts.Text(15220));
    sheet.AddPage(freeSpace);
    sheet.AddPage(points);
    if (!parts.jobs.RecycleBinIsEmpty()) sheet.AddPage(recycleBin);

    const bool finished = sheet.DoModal(owner) == win::WizardSheet::kFinish;
    bool askedAgain = false;
    if (finished) {
        if (canSchedule && freeSpace.chosen()) parts.jobs.CreateDefaultFreeSpaceTask();
        if (recycleBin.chosen() && !parts.jobs.RecycleBinIsEmpty()) parts.jobs.ShredRecycleBin();
        if (points.chosen()) askedAgain = !ShredChosenRestorePoints(parts, points);
    }
    if (!askedAgain) parts.settings.Write(setting::kFirstRun, "0");
    return finished ? 1 : 0;
}

int RunFirstRunWizard(CShredApp& app, HWND owner) {
    EngineFirstRunJobs jobs(
        {app.context(), app.machine(), app.tasks(), app.recycleBin(), app.restorePointJobs(), &app.shadowCopyJobs()});
    FirstRunParts parts{app.texts(), app.skin(), app.ui(), app.settings(), app.programCaption(), app.restorePoints(), jobs};
    return RunFirstRunWizard(parts, owner);
}
