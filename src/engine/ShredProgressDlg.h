#pragma once
// The one window that shows a running job: two text lines, a bar for the
// item, a bar for the whole job, and Cancel. It has no timer or thread: the
// job repaints it and processes its messages between writes.
#include <string>

#include "engine/UserInteraction.h"
#include "win/Dialog.h"

struct EngineState;
class LanguagePack;

class ShredProgressDlg final : public win::Dialog, public ProgressView {
public:
    ShredProgressDlg(EngineState& state, const LanguagePack& texts, HWND mainWindow)
        : Dialog(137), state_(state), texts_(texts), mainWindow_(mainWindow) {}

    void SetTitle(const std::string& text) override;
    void SetStatus(const std::wstring& text) override;
    void SetDetail(const std::string& text) override;
    void SetItemRange(int low, int high) override;
    void SetItemPos(int position) override;
    int ItemPos() override;
    void SetOverallRange(int low, int high) override;
    void SetOverallPos(int position) override;
    int OverallPos() override;
    void EnableCancel(bool enable) override;
    void ShowAndEnable() override;
    void Repaint() override;

protected:
    BOOL OnInitDialog() override;
    // Cancel, Esc and the close box: the job winds down and closes the dialog.
    void OnCancel() override;
    void OnOK() override {}

private:
    // A bar the job moves after every block. Setting a position repaints the
    // control at once, which costs more than writing the block, so the
    // controls (bars and both text lines) are brought up to date at the
    // first block the dialog shows, four times a second after it, and when
    // Cancel is pressed.
    struct Bar {
        int low = 0, high = 100, position = 0, shown = -1;
        void Set(int value) { position = value < low ? low : (value > high ? high : value); }
    };
    struct Line {
        std::wstring text, shown;
    };
    void Show(int controlId, Bar& bar);
    void Show(int controlId, Line& line);
    bool SyncBars(bool force);  // true when the controls were brought up to date

    Bar item_;
    Bar overall_;
    Line status_;
    Line detail_;
    DWORD lastSync_ = 0;
    bool synced_ = false;
    EngineState& state_;
    const LanguagePack& texts_;
    HWND mainWindow_;
};
