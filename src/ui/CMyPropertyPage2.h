#pragma once
// The Shred Files page: a list of files, dropped from the shell or picked in
// the file dialog, shredded at once or made into a scheduled task.
#include <string>

#include "ui/TargetListPage.h"

class CMyPropertyPage2 : public TargetListPage {
public:
    explicit CMyPropertyPage2(const PageServices& services);

    const TargetList& fileList() const { return targets_; }

protected:
    void OnDropFiles(HDROP drop) override;
    void OnBrowse() override;
    PageJobResult ShredTargets(const std::vector<win::FsPath>& paths) override;
    bool ScheduleTargets(const std::vector<win::FsPath>& paths) override;

private:
    // A dropped or picked name: refused when too long, else listed once.
    void AddName(const win::FsPath& name, bool refuseFolders);
};
