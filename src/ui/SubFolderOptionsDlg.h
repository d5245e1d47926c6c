#pragma once
// The SubFolder Options dialog: the settings "Folder" and "Remove" as two
// groups of Never, Prompt and Always. OK writes what changed; Cancel nothing.
#include <windows.h>

#include <cstdint>

#include "ui/PageServices.h"
#include "win/Dialog.h"

class SubFolderOptionsDlg : public win::Dialog {
public:
    explicit SubFolderOptionsDlg(const PageServices& services);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    int32_t Checked(int firstRadio) const;
    // The remove group only counts when subfolders are shredded at all.
    void EnableRemoveGroup() const;
    void OpenHelp() const;

    PageServices services_;
    int32_t folder_ = 0;
    int32_t remove_ = 0;
};

// Shows the dialog modally over owner; true when closed with OK.
bool ShowSubFolderOptions(HWND owner, const PageServices& services);
