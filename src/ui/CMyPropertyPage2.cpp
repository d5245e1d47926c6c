#include "ui/CMyPropertyPage2.h"

#include "engine/EngineState.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "ui/PageCaptions.h"
#include "ui/PageJobs.h"
#include "ui/PathNames.h"
#include "ui/ScheduleRequests.h"
#include "ui/ShellPickers.h"
#include "win/SkinEngine.h"
#include "win/UniqueResource.h"

namespace {

const CaptionEntry kCaptions[] = {
    {IDC_TARGETS_GROUP, 9101, 0},       {IDC_TARGETS_HINT, 9102, 0},          {IDC_TARGETS_BROWSE, 9103, 0},
    {IDC_TARGETS_SCHEDULE, 9104, 0},    {IDC_TARGETS_SHRED_NOW, 9105, 0},     {IDC_TARGETS_REMOVE_ITEM, 9106, 0},
    {IDC_TARGETS_REMOVE_ALL, 9107, 0},
};

}  // namespace

CMyPropertyPage2::CMyPropertyPage2(const PageServices& services)
    : win::PropertyPage(IDD_SHRED_FILES), services_(services) {}

BOOL CMyPropertyPage2::OnInitDialog() {
    services_.skin.ApplySkin(Handle());
    fileList_.Attach(Item(IDC_TARGETS_FILE_LIST));
    fileList_.view().AddColumn(services_.context.texts.Text(9108));
    ::DragAcceptFiles(Handle(), TRUE);
    return TRUE;
}

bool CMyPropertyPage2::OnSetActive() {
    ApplyCaptions(services_.context.texts, Handle(), kCaptions);
    ::EnableWindow(Item(IDC_TARGETS_SCHEDULE), SchedulingAvailable(services_));
    return true;
}

bool CMyPropertyPage2::OnCommand(WORD id, WORD code, HWND /*control*/) {
    if (code != BN_CLICKED) return false;
    // While a job runs nothing else starts and the list stays as the job sees it.
    if (services_.context.state.jobRunning) return id >= IDC_TARGETS_BROWSE && id <= IDC_TARGETS_REMOVE_ALL;
    switch (id) {
    case IDC_TARGETS_BROWSE: OnBrowse(); return true;
    case IDC_TARGETS_REMOVE_ITEM: OnRemoveItem(); return true;
    case IDC_TARGETS_REMOVE_ALL: OnRemoveAll(); return true;
    case IDC_TARGETS_SHRED_NOW: OnShredNow(); return true;
    case IDC_TARGETS_SCHEDULE: OnSchedule(); return true;
    default: return false;
    }
}

INT_PTR CMyPropertyPage2::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message != WM_DROPFILES) return FALSE;
    win::UniqueResource<DropTraits> drop(reinterpret_cast<HDROP>(wParam));
    if (!services_.context.state.jobRunning) OnDropFiles(drop.Get());
    return TRUE;
}

void CMyPropertyPage2::AddName(const std::string& name, bool refuseFolders) {
    const std::string path = FitsJobPath(name) ? FullPathName(name) : std::string();
    if (path.empty()) {
        ShowPageMessage(services_, 15100, MB_ICONERROR, name);
        return;
    }
    if (fileList_.Contains(path)) return;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (refuseFolders && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ShowPageMessage(services_, 9017, MB_ICONERROR);
        return;
    }
    fileList_.Add(path);
}

void CMyPropertyPage2::OnDropFiles(HDROP drop) {
    for (const std::string& name : DroppedNames(drop)) AddName(name, true);
}

void CMyPropertyPage2::OnBrowse() {
    const PickedFiles picked = PickFiles(Handle());
    if (picked.tooMany) ShowPageMessage(services_, 15101, MB_ICONERROR);
    for (const std::string& name : picked.names) AddName(name, false);
}

void CMyPropertyPage2::OnRemoveItem() {
    if (fileList_.view().SelectedCount() == 0) {
        ShowPageMessage(services_, 9018, MB_ICONERROR);
        return;
    }
    fileList_.RemoveSelected();
}

void CMyPropertyPage2::OnRemoveAll() {
    if (fileList_.empty()) {
        ShowPageMessage(services_, 9068, MB_ICONERROR);
        return;
    }
    if (ShowPageMessage(services_, 9066, MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2) == IDYES) fileList_.Clear();
}

void CMyPropertyPage2::OnShredNow() {
    if (fileList_.empty()) {
        ShowPageMessage(services_, 9021, MB_ICONERROR);
        return;
    }
    JobGuard guard(services_.context.state.jobRunning);
    if (ShredFileList(services_, fileList_.paths(), Handle())) fileList_.Clear();
}

void CMyPropertyPage2::OnSchedule() {
    if (!SchedulingAvailable(services_)) return;
    JobGuard guard(services_.context.state.jobRunning);
    if (services_.schedule->ScheduleFiles(Handle(), fileList_.paths())) fileList_.Clear();
}
