#pragma once
// The task-name dialog: one name field, OK and Cancel. OK is accepted only
// for a name that is not empty and that the caller's check lets through;
// otherwise a box owned by the dialog says why and the dialog stays open.
#include <string>

#include "win/Dialog.h"

class LanguagePack;
class SkinEngine;

// What decides, when OK is pressed, whether a typed name may be used.
class TaskNameCheck {
public:
    virtual ~TaskNameCheck() = default;
    // Empty when the name is accepted; otherwise the text to show.
    virtual std::string Refusal(const std::string& name) = 0;
};

class TaskNameDlg final : public win::Dialog {
public:
    TaskNameDlg(const LanguagePack& texts, const std::string& programCaption, SkinEngine& skin,
                TaskNameCheck& check, const win::DialogLook* look = nullptr);

    // Modal over owner; true with the accepted name, false on Cancel.
    bool Run(HWND owner, std::string& name);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(const std::string& text);

    const LanguagePack& texts_;
    const std::string& programCaption_;
    SkinEngine& skin_;
    TaskNameCheck& check_;
    std::string name_;
};
