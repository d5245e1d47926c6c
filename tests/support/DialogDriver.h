#pragma once
// Presses a button of a modal dialog from another thread once the dialog is
// up, the way a person would: by a posted message, never a cross-thread send.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

struct SeenDialog {
    std::string title;
    std::string text;              // of the given text control, if any
    std::vector<int> visibleButtons;  // of the buttons asked about
};

class DialogDriver {
public:
    enum class Action { Click, Escape, CloseBox };

    // Waits for a visible dialog titled `title`, records what it shows, then acts.
    // The main window carries the program's title too: with `mainWindow` the
    // driver looks for it (the dialog with tabs), else for any other dialog.
    DialogDriver(std::string title, Action action, int buttonId = 0, int textControl = 0,
                 std::vector<int> buttonsToCheck = {}, bool mainWindow = false);
    ~DialogDriver();

    // Valid after the dialog has closed (the destructor joins the thread).
    const SeenDialog& seen();
    bool found();

private:
    void Run();
    static BOOL CALLBACK Visit(HWND window, LPARAM self);

    std::string title_;
    Action action_;
    int buttonId_;
    int textControl_;
    std::vector<int> buttonsToCheck_;
    bool mainWindow_;
    HWND dialog_ = nullptr;
    SeenDialog seen_;
    std::atomic<bool> found_{false};
    std::thread thread_;
};
