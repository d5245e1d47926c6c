#include "ui/CMyPropertyPage3.h"

#include "engine/EngineState.h"
#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "ui/PageCaptions.h"
#include "ui/PageJobs.h"
#include "ui/PathNames.h"
#include "ui/ScheduleRequests.h"
#include "ui/ShellPickers.h"
#include "ui/SubFolderOptionsDlg.h"
#include "win/SkinEngine.h"
#include "win/UniqueResource.h"

namespace {

const CaptionEntry kCaptions[] = {
    {IDC_TARGETS_GROUP, 9201, 0},       {IDC_TARGETS_HINT, 9202, 0},          {IDC_TARGETS_BROWSE, 9103, 0},
    {IDC_TARGETS_SCHEDULE, 9104, 0},    {IDC_TARGETS_SHRED_NOW, 9105, 0},     {IDC_TARGETS_REMOVE_ITEM, 9206, 0},
    {IDC_TARGETS_REMOVE_ALL, 9207, 0},  {IDC_TARGETS_SUBFOLDER_OPTIONS, 9208, 1},
};

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsDriveRoot(const std::string& path) {
    const size_t slash = path.find('\\');
    return slash != std::string::npos && slash + 1 == path.size();
}

}  // namespace

CMyPropertyPage3::CMyPropertyPage3(const PageServices& services)
    : win::PropertyPage(IDD_SHRED_FOLDERS), services_(services) {}

BOOL CMyPropertyPage3::OnInitDialog() {
    services_.skin.ApplySkin(Handle());
    ReadSubfolderOptions();
    folderList_.Attach(Item(IDC_TARGETS_FOLDER_LIST));
    folderList_.view().AddColumn(services_.context.texts.Text(9209));
    ::DragAcceptFiles(Handle(), TRUE);
    return TRUE;
}

void CMyPropertyPage3::ReadSubfolderOptions() {
    const SettingsStore& settings = services_.context.settings;
    for (const IntSetting* option : {&setting::kFolder, &setting::kRemove}) {
        int32_t value = settings.Read(*option);
        if (value < 0 || value > 2) settings.Write(*option, value = 0);
        (option == &setting::kFolder ? shredSubfolders_ : removeSubfolders_) = value;
    }
}

bool CMyPropertyPage3::OnSetActive() {
    ApplyCaptions(services_.context.texts, Handle(), kCaptions);
    ::EnableWindow(Item(IDC_TARGETS_SCHEDULE), SchedulingAvailable(services_));
    return true;
}

bool CMyPropertyPage3::OnCommand(WORD id, WORD code, HWND /*control*/) {
    if (code != BN_CLICKED) return false;
    // While a job runs nothing else starts and the list stays as the job sees it.
    if (services_.context.state.jobRunning) return id >= IDC_TARGETS_BROWSE && id <= IDC_TARGETS_REMOVE_ALL;
    switch (id) {
    case IDC_TARGETS_BROWSE: OnBrowse(); return true;
    case IDC_TARGETS_REMOVE_ITEM: OnRemoveItem(); return true;
    case IDC_TARGETS_REMOVE_ALL: OnRemoveAll(); return true;
    case IDC_TARGETS_SUBFOLDER_OPTIONS: OnSubFolderOptions(); return true;
    case IDC_TARGETS_SHRED_NOW: OnShredNow(); return true;
    case IDC_TARGETS_SCHEDULE: OnSchedule(); return true;
    default: return false;
    }
}

INT_PTR CMyPropertyPage3::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message != WM_DROPFILES) return FALSE;
    win::UniqueResource<DropTraits> drop(reinterpret_cast<HDROP>(wParam));
    if (!services_.context.state.jobRunning) OnDropFiles(drop.Get());
    return TRUE;
}

void CMyPropertyPage3::OnDropFiles(HDROP drop) {
    for (const std::string& name : DroppedNames(drop)) {
        const std::string path = FitsJobPath(name) ? FullPathName(name) : std::string();
        if (path.empty()) {
            ShowPageMessage(services_, 15100, MB_ICONERROR, name);
        } else if (folderList_.Contains(path)) {
            continue;
        } else if (IsFolder(path) && IsDriveRoot(path)) {
            // A whole drive belongs on the Shred Drive page, as with Browse.
            ShowPageMessage(services_, 9087, MB_ICONERROR);
        } else if (IsFolder(path)) {
            folderList_.Add(path);
        } else {
            ShowPageMessage(services_, 9024, MB_ICONERROR);
        }
    }
}

void CMyPropertyPage3::OnBrowse() {
    const std::string path = PickFolder(Handle());
    if (path.empty()) return;
    if (IsDriveRoot(path)) {
        ShowPageMessage(services_, 9087, MB_ICONERROR);
        return;
    }
    folderList_.Add(path);
}

void CMyPropertyPage3::OnRemoveItem() {
    if (folderList_.view().SelectedCount() == 0) {
        ShowPageMessage(services_, 9025, MB_ICONERROR);
        return;
    }
    folderList_.RemoveSelected();
}

void CMyPropertyPage3::OnRemoveAll() {
    if (folderList_.empty()) {
        ShowPageMessage(services_, 9069, MB_ICONERROR);
        return;
    }
    if (ShowPageMessage(services_, 9067, MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2) == IDYES) folderList_.Clear();
}

void CMyPropertyPage3::OnSubFolderOptions() {
    ShowSubFolderOptions(Handle(), services_);
    ReadSubfolderOptions();
}

void CMyPropertyPage3::OnShredNow() {
    if (folderList_.empty()) {
        ShowPageMessage(services_, 9022, MB_ICONERROR);
        return;
    }
    JobGuard guard(services_.context.state.jobRunning);
    if (ShredFolderList(services_, folderList_.paths(), Handle())) folderList_.Clear();
}

void CMyPropertyPage3::OnSchedule() {
    if (!SchedulingAvailable(services_)) return;
    JobGuard guard(services_.context.state.jobRunning);
    if (services_.schedule->ScheduleFolders(Handle(), folderList_.paths())) folderList_.Clear();
}
