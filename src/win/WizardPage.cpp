#include "win/WizardPage.h"

namespace win {

BOOL WizardPage::OnInitDialog() {
    whiteBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
    return OnInitPage();
}

INT_PTR WizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        if (!whiteBrush_) return FALSE;
        const HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(whiteBrush_.Get());
    }
    default: return FALSE;
    }
}

}  // namespace win
