#pragma once
// The main window's icon in the notification area, present only while the
// window is hidden there.
#include <windows.h>
#include <shellapi.h>

class TrayIcon {
public:
    static constexpr UINT kIconId = 1;
    static constexpr UINT kCallbackMessage = WM_USER + 1;

    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // False when the shell refused the icon.
    bool Add(HWND window, HICON icon);
    void Remove();
    // A taskbar that starts again (after the shell's restart) shows none of
    // the icons of the one before: a present icon is given to it again.
    bool AddAgain();
    bool Present() const noexcept { return present_; }

private:
    NOTIFYICONDATAA data_{};
    bool present_ = false;
};
