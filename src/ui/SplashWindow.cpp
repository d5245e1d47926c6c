#include "ui/SplashWindow.h"

#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/VersionResource.h"

namespace {
constexpr UINT_PTR kCloseTimer = 1;
}

SplashWindow::SplashWindow(const LanguagePack& texts, UINT milliseconds)
    : Dialog(IDD_SPLASH), texts_(texts), milliseconds_(milliseconds) {}

BOOL SplashWindow::OnInitDialog() {
    const win::VersionResource version;
    const std::string name = version.Entry("ProductName");
    if (!name.empty()) {
        SetItemText(IDC_SPLASH_NAME, name);
        SetTitle(name);
    }
    const std::string number = version.Entry("FileVersion");
    if (!number.empty()) SetItemText(IDC_SPLASH_VERSION, texts_.Text(10100) + " " + number);

    // The name in a larger, bold copy of the dialog's font.
    LOGFONTA font{};
    const HGDIOBJ base = reinterpret_cast<HGDIOBJ>(::SendMessageA(Handle(), WM_GETFONT, 0, 0));
    if (base != nullptr && ::GetObjectA(base, sizeof(font), &font) != 0) {
        font.lfHeight = font.lfHeight * 2;
        font.lfWeight = FW_BOLD;
        nameFont_.Reset(::CreateFontIndirectA(&font));
        if (nameFont_)
            ::SendMessageA(Item(IDC_SPLASH_NAME), WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_.Get()), FALSE);
    }
    ::SetTimer(Handle(), kCloseTimer, milliseconds_, nullptr);
    return TRUE;
}

INT_PTR SplashWindow::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kCloseTimer) return FALSE;
        ::KillTimer(Handle(), kCloseTimer);
        Close(0);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN:
        ::KillTimer(Handle(), kCloseTimer);
        Close(0);
        return TRUE;
    default: return FALSE;
    }
}

void ShowSplash(const LanguagePack& texts, UINT milliseconds) {
    SplashWindow splash(texts, milliseconds);
    // A splash that cannot be made is no reason to stop the start.
    splash.DoModal(nullptr);
}
