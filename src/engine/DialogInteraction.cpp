#include "engine/DialogInteraction.h"

#include <windows.h>

#include <commctrl.h>

#include "engine/EngineState.h"
#include "engine/BoxText.h"
#include "engine/ConfirmAllDlg.h"
#include "engine/ShredProgressDlg.h"
#include "win/NoSkinEngine.h"
#include "engine/NoticeDlg.h"
#include "win/SystemErrorText.h"

namespace {

// Stands in for the dialog's controls while no dialog is open.
class NoProgressView final : public ProgressView {
public:
    void SetTitle(const std::string&) override {}
    void SetStatus(const std::wstring&) override {}
    void SetDetail(const std::string&) override {}
    void SetItemRange(int, int) override {}
    void SetItemPos(int) override {}
    int ItemPos() override { return 0; }
    void SetOverallRange(int, int) override {}
    void SetOverallPos(int) override {}
    int OverallPos() override { return 0; }
    void EnableCancel(bool) override {}
    void ShowAndEnable() override {}
    void Repaint() override {}
};

}  // namespace

DialogInteraction::DialogInteraction(EngineState& state, const LanguagePack& texts, const std::string& caption,
                                     HWND mainWindow)
    : state_(state), texts_(texts), caption_(caption), mainWindow_(mainWindow), idle_(std::make_unique<NoProgressView>()) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
}

DialogInteraction::~DialogInteraction() = default;

HWND DialogInteraction::ProgressWindow() const { return progress_ ? progress_->Handle() : nullptr; }

// A box owned by the disabled main window would enable it again when it
// closes; while the progress dialog exists, that dialog owns the box.
HWND DialogInteraction::Owner() const { return progress_ ? progress_->Handle() : mainWindow_; }

int DialogInteraction::ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) {
    return ::MessageBoxW(Owner(), ShortenedForBox(text).c_str(), win::WidenAnsi(caption).c_str(), flags);
}

int DialogInteraction::ConfirmAll(const std::string& caption, const std::wstring& text, int style) {
    ConfirmAllDlg dialog(caption, ShortenedForBox(text), style, state_, texts_, skin_);
    dialog.SetLook(look_);
    const INT_PTR result = dialog.DoModal(Owner());
    return result == -1 ? ConfirmCancel : static_cast<int>(result);
}

void DialogInteraction::ShowSystemError(unsigned long code) {
    const std::string text = win::SystemErrorText(code, 100);
    ::MessageBoxA(Owner(), text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

NoticeAnswer DialogInteraction::ShowNotice(NoticeKind kind) {
    NoSkinEngine noSkin;
    SkinEngine& skin = skin_ != nullptr ? *skin_ : noSkin;
    const NoticeDlg::Mode mode = kind == NoticeShellVersion     ? NoticeDlg::ShellVersion
                                 : kind == NoticeSolidStateDrive ? NoticeDlg::SolidStateDrive
                                                                 : NoticeDlg::RecycleBinConflict;
    NoticeDlg notice(mode, texts_, caption_, skin, look_);
    const NoticeDlg::NoticeResult result = notice.Run(Owner());
    return NoticeAnswer{result.ok, result.ok && result.dontShowAgain != 0};
}

bool DialogInteraction::OpenProgress(int overallRange) {
    if (mainWindow_ != nullptr) ::EnableWindow(mainWindow_, FALSE);
    if (progress_) return true;
    auto dialog = std::make_unique<ShredProgressDlg>(state_, texts_, mainWindow_);
    dialog->SetLook(look_);
    if (!dialog->Create(mainWindow_)) {
        if (mainWindow_ != nullptr) ::EnableWindow(mainWindow_, TRUE);
        return false;
    }
    dialog->SetOverallRange(0, overallRange);
    pumped_ = false;  // a new dialog gets its messages at the first block
    dialog->SetOverallPos(0);
    progress_ = std::move(dialog);
    return true;
}

void DialogInteraction::CloseProgress() {
    // Enabled before the dialog goes: the system hands the activation of a
    // closing window to its owner only when the owner can take it, and
    // otherwise to no window of this program at all.
    if (mainWindow_ != nullptr) ::EnableWindow(mainWindow_, TRUE);
    progress_.reset();
}

ProgressView& DialogInteraction::Progress() {
    if (progress_) return *progress_;
    return *idle_;
}

void DialogInteraction::ProcessWaitingMessages() {
    // Every look into the queue is a round trip to the window server, dearer
    // than writing a block; twenty looks a second keep Cancel and painting
    // prompt.
    const DWORD now = ::GetTickCount();
    if (pumped_ && now - lastPump_ < kPumpIntervalMs) return;
    pumped_ = true;
    lastPump_ = now;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Whoever asked the program to end gets it once the job has stopped.
            state_.cancelRequested = true;
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (progress_ && ::IsDialogMessageA(progress_->Handle(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}
