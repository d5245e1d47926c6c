#pragma once
// The Shred Files page: a list of files, dropped from the shell or picked in
// the file dialog, shredded at once or made into a scheduled task.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ui/PageServices.h"
#include "ui/TargetList.h"
#include "win/PropertyPage.h"

class CMyPropertyPage2 : public win::PropertyPage {
public:
    explicit CMyPropertyPage2(const PageServices& services);

    const TargetList& fileList() const { return fileList_; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnDropFiles(HDROP drop);
    void OnBrowse();
    void OnRemoveItem();
    void OnRemoveAll();
    void OnShredNow();
    void OnSchedule();
    // A dropped or picked name: refused when too long, else listed once.
    void AddName(const std::string& name, bool refuseFolders);

    PageServices services_;
    TargetList fileList_;
};
