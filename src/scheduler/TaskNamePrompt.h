#pragma once
// How task creation asks for a name: the real dialog, or a scripted double.
#include <windows.h>

#include <string>

#include "engine/TaskNameDlg.h"

class LanguagePack;
class SkinEngine;
namespace win {
class DialogLook;
}

class TaskNamePrompt {
public:
    virtual ~TaskNamePrompt() = default;
    // True with a name that check accepted; false when the person cancelled.
    virtual bool AskTaskName(TaskNameCheck& check, std::string& name) = 0;
};

class DialogTaskNamePrompt final : public TaskNamePrompt {
public:
    DialogTaskNamePrompt(const LanguagePack& texts, const std::string& programCaption, SkinEngine& skin,
                         const win::DialogLook* look = nullptr)
        : texts_(texts), programCaption_(programCaption), skin_(skin), look_(look) {}

    // The window the dialog is modal over; none until the main window exists.
    void SetOwner(HWND owner) { owner_ = owner; }

    bool AskTaskName(TaskNameCheck& check, std::string& name) override {
        TaskNameDlg dialog(texts_, programCaption_, skin_, check, look_);
        return dialog.Run(owner_, name);
    }

private:
    const LanguagePack& texts_;
    const std::string& programCaption_;
    SkinEngine& skin_;
    const win::DialogLook* look_;
    HWND owner_ = nullptr;
};
