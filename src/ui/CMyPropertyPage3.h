#pragma once
// The Shred Folders page: a list of folders, dropped from the shell or picked
// in the folder picker, shredded at once as the subfolder options say or
// made into a scheduled task.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "ui/PageServices.h"
#include "ui/TargetList.h"
#include "win/PropertyPage.h"

class CMyPropertyPage3 : public win::PropertyPage {
public:
    explicit CMyPropertyPage3(const PageServices& services);

    const TargetList& folderList() const { return folderList_; }
    int32_t shredSubfolders() const { return shredSubfolders_; }
    int32_t removeSubfolders() const { return removeSubfolders_; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadSubfolderOptions();
    void OnDropFiles(HDROP drop);
    void OnBrowse();
    void OnRemoveItem();
    void OnRemoveAll();
    void OnSubFolderOptions();
    void OnShredNow();
    void OnSchedule();

    PageServices services_;
    TargetList folderList_;  // full path names, shown as they are
    int32_t shredSubfolders_ = 0;
    int32_t removeSubfolders_ = 0;
};
