#pragma once
// The notice with a "don't show me this again" box: the outdated shell
// library at start-up, the Recycle Bin conflict before shredding it, or a
// solid-state drive before a job shreds on it.
#include <string>

#include "win/Dialog.h"

class LanguagePack;
class SkinEngine;

class NoticeDlg final : public win::Dialog {
public:
    enum Mode { ShellVersion = 0, RecycleBinConflict = 1, SolidStateDrive = 2 };

    struct NoticeResult {
        bool ok;            // closed with OK; Escape and the close box cancel
        int dontShowAgain;  // 0 or 1, and 0 unless ok
    };

    NoticeDlg(Mode mode, const LanguagePack& texts, std::string caption, SkinEngine& skin,
              const win::DialogLook* look = nullptr);

    // Shows the notice modally over owner.
    NoticeResult Run(HWND owner);
    // The check box as it was when OK closed the dialog.
    int dontShowAgain() const noexcept { return dontShowAgain_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    Mode mode_;
    const LanguagePack& texts_;
    std::string caption_;
    SkinEngine& skin_;
    int dontShowAgain_ = 0;
};
