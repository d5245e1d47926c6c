#include "win/DialogLook.h"

namespace win {

namespace {

// Read-only and disabled edits ask with WM_CTLCOLORSTATIC too.
bool IsEdit(HWND control) {
    char name[16] = {};
    if (control == nullptr || ::GetClassNameA(control, name, sizeof(name)) == 0) return false;
    return ::lstrcmpiA(name, "Edit") == 0;
}

}  // namespace

DialogLook::DialogLook(COLORREF background, COLORREF text)
    : background_(background), text_(text), brush_(::CreateSolidBrush(background)) {}

HBRUSH DialogLook::Answer(UINT message, HDC dc, HWND control) const {
    if (!brush_) return nullptr;
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN: break;
    case WM_CTLCOLORSTATIC:
        if (IsEdit(control)) return nullptr;
        break;
    default: return nullptr;
    }
    ::SetTextColor(dc, text_);
    ::SetBkColor(dc, background_);
    ::SetBkMode(dc, TRANSPARENT);
    return Brush();
}

}  // namespace win
