#include "ui/CMyPropertyPage2.h"

#include "res/resource.h"
#include "ui/PageJobs.h"
#include "ui/PathNames.h"
#include "ui/ScheduleRequests.h"
#include "ui/ShellPickers.h"
#include "win/FileSystem.h"

namespace {

const PageCaption kCaptions[] = {
    {IDC_TARGETS_GROUP, 9101},       {IDC_TARGETS_HINT, 9102},          {IDC_TARGETS_BROWSE, 9103},
    {IDC_TARGETS_SCHEDULE, 9104},    {IDC_TARGETS_SHRED_NOW, 9105},     {IDC_TARGETS_REMOVE_ITEM, 9106},
    {IDC_TARGETS_REMOVE_ALL, 9107},
};

}  // namespace

CMyPropertyPage2::CMyPropertyPage2(const PageServices& services)
    : TargetListPage({IDD_SHRED_FILES, IDC_TARGETS_FILE_LIST, 9108, 9018, 9068, 9066, 9021, kCaptions,
                      sizeof(kCaptions) / sizeof(kCaptions[0])},
                     services) {}

void CMyPropertyPage2::AddName(const win::FsPath& name, bool refuseFolders) {
    const win::FsPath path = FitsJobPath(name) ? FullPathName(name) : win::FsPath();
    if (path.empty()) {
        ShowPageMessage(services_, 15100, MB_ICONERROR, name);
        return;
    }
    if (targets_.Contains(path)) return;
    const DWORD attributes = win::fs::Attributes(path);
    if (refuseFolders && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ShowPageMessage(services_, 9017, MB_ICONERROR);
        return;
    }
    targets_.Add(path);
}

void CMyPropertyPage2::OnDropFiles(HDROP drop) {
    for (const win::FsPath& name : DroppedNames(drop)) AddName(name, true);
}

void CMyPropertyPage2::OnBrowse() {
    const PickedFiles picked = PickFiles(Handle());
    if (picked.tooMany) ShowPageMessage(services_, 15101, MB_ICONERROR);
    for (const win::FsPath& name : picked.names) AddName(name, false);
}

PageJobResult CMyPropertyPage2::ShredTargets(const std::vector<win::FsPath>& paths) {
    return ShredFileList(services_, paths, Handle());
}

bool CMyPropertyPage2::ScheduleTargets(const std::vector<win::FsPath>& paths) {
    return services_.schedule->ScheduleFiles(Handle(), paths);
}
