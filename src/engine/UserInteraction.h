#pragma once
// Everything the engine shows a person goes through this interface: the
// program puts the real dialogs behind it, tests a scripted double.
#include <string>

#include "win/WideText.h"

// The progress dialog's controls as a job uses them.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void SetTitle(const std::string& text) = 0;
    // A status names a path: it is shown as it is, in any script.
    virtual void SetStatus(const std::wstring& text) = 0;
    void SetStatus(const std::string& codePageText) { SetStatus(win::WidenAnsi(codePageText)); }
    virtual void SetDetail(const std::string& text) = 0;
    virtual void SetItemRange(int low, int high) = 0;
    virtual void SetItemPos(int position) = 0;
    virtual int ItemPos() = 0;
    virtual void SetOverallRange(int low, int high) = 0;
    virtual void SetOverallPos(int position) = 0;
    virtual int OverallPos() = 0;
    virtual void EnableCancel(bool enable) = 0;
    virtual void ShowAndEnable() = 0;
    virtual void Repaint() = 0;
};

// Results of the four-answer box.
enum ConfirmAllResult : int {
    ConfirmYes = 6,
    ConfirmNo = 7,
    ConfirmYesToAll = 1025,
    ConfirmCancel = 2,  // Cancel, Esc, the close box, and NO TO ALL (which also sets cancelRequested)
};

// The notice with its "don't show me this again" box.
enum NoticeKind : int {
    NoticeShellVersion = 0,       // the shell lacks the Recycle Bin functions
    NoticeRecycleBinConflict = 1, // other software may guard the Recycle Bin
    NoticeSolidStateDrive = 2,    // a target lies where overwriting cannot reach every copy
};

struct NoticeAnswer {
    bool ok = false;          // closed with OK (not Esc or the close box)
    bool dontShowAgain = false;  // the box was ticked; only set with ok
};

// Styles of the four-answer box: which buttons it shows.
enum ConfirmAllStyle : int {
    ConfirmStyleOk = 0,
    ConfirmStyleOkCancel = 1,
    ConfirmStyleYesNo = 2,
    ConfirmStyleYesNoAll = 3,
};

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // A message box; answers the button pressed (IDOK, IDCANCEL, IDYES...).
    // Texts that name a path are wide, so that the path shows as itself;
    // the captions and the other texts are the language pack's, in the code page.
    virtual int ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) = 0;
    int ShowMessage(const std::string& codePageText, const std::string& caption, unsigned flags) {
        return ShowMessage(win::WidenAnsi(codePageText), caption, flags);
    }
    // The four-answer box; NO TO ALL sets the engine's cancelRequested.
    virtual int ConfirmAll(const std::string& caption, const std::wstring& text, int style) = 0;
    int ConfirmAll(const std::string& caption, const std::string& codePageText, int style) {
        return ConfirmAll(caption, win::WidenAnsi(codePageText), style);
    }
    // The system's text for a Windows error code, in a box titled "Error".
    virtual void ShowSystemError(unsigned long code) = 0;
    // The notice dialog, modal.
    virtual NoticeAnswer ShowNotice(NoticeKind kind) = 0;

    // Creates the progress dialog, or reuses the open one, and disables the
    // main window; false when it could not be created.
    virtual bool OpenProgress(int overallRange) = 0;
    // Destroys the dialog if one is open and enables the main window.
    virtual void CloseProgress() = 0;
    virtual bool ProgressOpen() const = 0;
    virtual ProgressView& Progress() = 0;
    // Handles every window message that is waiting, until none is left.
    virtual void ProcessWaitingMessages() = 0;
};
