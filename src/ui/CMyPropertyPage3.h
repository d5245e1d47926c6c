#pragma once
// The Shred Folders page: a list of folders, dropped from the shell or picked
// in the folder picker, shredded at once as the subfolder options say or
// made into a scheduled task.
#include <cstdint>
#include <string>

#include "ui/TargetListPage.h"

class CMyPropertyPage3 : public TargetListPage {
public:
    explicit CMyPropertyPage3(const PageServices& services);

    const TargetList& folderList() const { return targets_; }  // full path names, shown as they are
    int32_t shredSubfolders() const { return shredSubfolders_; }
    int32_t removeSubfolders() const { return removeSubfolders_; }

protected:
    void OnInitTargets() override;
    bool OnPageButton(WORD id) override;
    void OnDropFiles(HDROP drop) override;
    void OnBrowse() override;
    PageJobResult ShredTargets(const std::vector<win::FsPath>& paths) override;
    bool ScheduleTargets(const std::vector<win::FsPath>& paths) override;

private:
    void ReadSubfolderOptions();
    void OnSubFolderOptions();

    int32_t shredSubfolders_ = 0;
    int32_t removeSubfolders_ = 0;
};
