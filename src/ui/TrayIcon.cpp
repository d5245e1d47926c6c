#include "ui/TrayIcon.h"

#include <cstring>

bool TrayIcon::Add(HWND window, HICON icon) {
    if (present_) return true;
    data_ = NOTIFYICONDATAA{};
    // The first form of the record (88 bytes), which every shell takes.
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = window;
    data_.uID = kIconId;
    // No tip flag: the tip is stored but never shown.
    data_.uFlags = NIF_MESSAGE | NIF_ICON;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon;
    std::strcpy(data_.szTip, "My Icon");
    present_ = ::Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    return present_;
}

void TrayIcon::Remove() {
    if (!present_) return;
    ::Shell_NotifyIconA(NIM_DELETE, &data_);
    present_ = false;
}

bool TrayIcon::AddAgain() {
    if (!present_) return false;
    return ::Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
}
