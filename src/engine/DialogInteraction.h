#pragma once
// The real dialogs behind UserInteraction: message boxes, the four-answer
// box and the progress dialog, owned by the main window when there is one.
#include <windows.h>

#include <memory>

#include "engine/UserInteraction.h"

struct EngineState;
class LanguagePack;
class ShredProgressDlg;

class DialogInteraction final : public UserInteraction {
public:
    DialogInteraction(EngineState& state, const LanguagePack& texts, HWND mainWindow = nullptr);
    ~DialogInteraction() override;

    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    HWND ProgressWindow() const;

    int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;
    int ConfirmAll(const std::string& caption, const std::string& text, int style) override;
    void ShowSystemError(unsigned long code) override;
    bool OpenProgress(int overallRange) override;
    void CloseProgress() override;
    bool ProgressOpen() const override { return progress_ != nullptr; }
    ProgressView& Progress() override;
    void ProcessWaitingMessages() override;

private:
    HWND Owner() const;

    EngineState& state_;
    const LanguagePack& texts_;
    HWND mainWindow_;
    std::unique_ptr<ShredProgressDlg> progress_;
    std::unique_ptr<ProgressView> idle_;
    static constexpr DWORD kPumpIntervalMs = 50;
    DWORD lastPump_ = 0;
    bool pumped_ = false;  // answers for the controls while no dialog is open
};
