#pragma once
// The real dialogs behind UserInteraction: message boxes, the four-answer
// box and the progress dialog, owned by the main window when there is one.
#include <windows.h>

#include <memory>
#include <string>

#include "engine/UserInteraction.h"

struct EngineState;
class LanguagePack;
class ShredProgressDlg;
class SkinEngine;
namespace win {
class DialogLook;
}

class DialogInteraction final : public UserInteraction {
public:
    DialogInteraction(EngineState& state, const LanguagePack& texts, const std::string& caption,
                      HWND mainWindow = nullptr);
    ~DialogInteraction() override;

    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    // The colours of every dialog and the skin of the confirmation box (the
    // progress dialog is never skinned). Both may be null.
    void SetLook(const win::DialogLook* look, SkinEngine* skin) {
        look_ = look;
        skin_ = skin;
    }
    HWND ProgressWindow() const;

    using UserInteraction::ShowMessage;
    using UserInteraction::ConfirmAll;
    int ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) override;
    int ConfirmAll(const std::string& caption, const std::wstring& text, int style) override;
    void ShowSystemError(unsigned long code) override;
    NoticeAnswer ShowNotice(NoticeKind kind) override;
    bool OpenProgress(int overallRange) override;
    void CloseProgress() override;
    bool ProgressOpen() const override { return progress_ != nullptr; }
    ProgressView& Progress() override;
    void ProcessWaitingMessages() override;

private:
    HWND Owner() const;

    EngineState& state_;
    const LanguagePack& texts_;
    const std::string& caption_;
    HWND mainWindow_;
    const win::DialogLook* look_ = nullptr;
    SkinEngine* skin_ = nullptr;
    std::unique_ptr<ShredProgressDlg> progress_;
    std::unique_ptr<ProgressView> idle_;
    static constexpr DWORD kPumpIntervalMs = 50;
    DWORD lastPump_ = 0;
    bool pumped_ = false;  // answers for the controls while no dialog is open
};
