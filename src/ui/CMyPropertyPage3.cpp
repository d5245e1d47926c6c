#include "ui/CMyPropertyPage3.h"

#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "res/resource.h"
#include "ui/PageJobs.h"
#include "ui/PathNames.h"
#include "ui/ScheduleRequests.h"
#include "ui/ShellPickers.h"
#include "ui/SubFolderOptionsDlg.h"
#include "win/FileSystem.h"

namespace {

const PageCaption kCaptions[] = {
    {IDC_TARGETS_GROUP, 9201},       {IDC_TARGETS_HINT, 9202},          {IDC_TARGETS_BROWSE, 9103},
    {IDC_TARGETS_SCHEDULE, 9104},    {IDC_TARGETS_SHRED_NOW, 9105},     {IDC_TARGETS_REMOVE_ITEM, 9206},
    {IDC_TARGETS_REMOVE_ALL, 9207},  {IDC_TARGETS_SUBFOLDER_OPTIONS, 9208, 1},
};

bool IsFolder(const win::FsPath& path) {
    const DWORD attributes = win::fs::Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsDriveRoot(const win::FsPath& path) {
    const size_t slash = path.Text().find(L'\\');
    return slash != std::wstring::npos && slash + 1 == path.size();
}

}  // namespace

CMyPropertyPage3::CMyPropertyPage3(const PageServices& services)
    : TargetListPage({IDD_SHRED_FOLDERS, IDC_TARGETS_FOLDER_LIST, 9209, 9025, 9069, 9067, 9022, kCaptions,
                      sizeof(kCaptions) / sizeof(kCaptions[0])},
                     services) {}

void CMyPropertyPage3::OnInitTargets() { ReadSubfolderOptions(); }

void CMyPropertyPage3::ReadSubfolderOptions() {
    const SettingsStore& settings = services_.context.settings;
    for (const IntSetting* option : {&setting::kFolder, &setting::kRemove}) {
        int32_t value = settings.Read(*option);
        if (value < 0 || value > 2) settings.Write(*option, value = 0);
        (option == &setting::kFolder ? shredSubfolders_ : removeSubfolders_) = value;
    }
}

bool CMyPropertyPage3::OnPageButton(WORD id) {
    if (id != IDC_TARGETS_SUBFOLDER_OPTIONS) return false;
    OnSubFolderOptions();
    return true;
}

void CMyPropertyPage3::OnDropFiles(HDROP drop) {
    for (const win::FsPath& name : DroppedNames(drop)) {
        const win::FsPath path = FitsJobPath(name) ? FullPathName(name) : win::FsPath();
        if (path.empty()) {
            ShowPageMessage(services_, 15100, MB_ICONERROR, name);
        } else if (targets_.Contains(path)) {
            continue;
        } else if (IsFolder(path) && IsDriveRoot(path)) {
            // A whole drive belongs on the Shred Drive page, as with Browse.
            ShowPageMessage(services_, 9087, MB_ICONERROR);
        } else if (IsFolder(path)) {
            targets_.Add(path);
        } else {
            ShowPageMessage(services_, 9024, MB_ICONERROR);
        }
    }
}

void CMyPropertyPage3::OnBrowse() {
    const win::FsPath path = PickFolder(Handle());
    if (path.empty()) return;
    if (IsDriveRoot(path)) {
        ShowPageMessage(services_, 9087, MB_ICONERROR);
        return;
    }
    targets_.Add(path);
}

void CMyPropertyPage3::OnSubFolderOptions() {
    ShowSubFolderOptions(Handle(), services_);
    ReadSubfolderOptions();
}

PageJobResult CMyPropertyPage3::ShredTargets(const std::vector<win::FsPath>& paths) {
    return ShredFolderList(services_, paths, Handle());
}

bool CMyPropertyPage3::ScheduleTargets(const std::vector<win::FsPath>& paths) {
    return services_.schedule->ScheduleFolders(Handle(), paths);
}
