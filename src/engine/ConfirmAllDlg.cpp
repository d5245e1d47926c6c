#include "engine/ConfirmAllDlg.h"

#include <vector>

#include "engine/EngineState.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/SkinEngine.h"

namespace {

// The buttons of each style, left to right.
std::vector<int> ButtonsOfStyle(int style) {
    switch (style) {
    case 0:
    case 4: return {IDOK};
    case 1:
    case 5: return {IDOK, IDCANCEL};
    case 2:
    case 6: return {IDYES, IDNO};
    case 3: return {IDYES, IDC_CONFIRM_YES_TO_ALL, IDNO, IDC_CONFIRM_NO_TO_ALL};
    default: return {};
    }
}

const int kAllButtons[] = {IDOK, IDCANCEL, IDYES, IDC_CONFIRM_YES_TO_ALL, IDNO, IDC_CONFIRM_NO_TO_ALL};

}  // namespace

BOOL ConfirmAllDlg::OnInitDialog() {
    if (skin_ != nullptr) skin_->ApplySkin(Handle());
    SetTitle(caption_);
    SetItemText(IDC_CONFIRM_TEXT, text_);
    texts_.SetDlgItem(11002, IDOK, Handle());
    LayOutButtons();
    return FALSE;  // the focus is on the first button shown
}

void ConfirmAllDlg::LayOutButtons() {
    const std::vector<int> shown = ButtonsOfStyle(style_);
    for (int id : kAllButtons) ::ShowWindow(Item(id), SW_HIDE);
    if (shown.empty()) return;

    RECT client{};
    ::GetClientRect(Handle(), &client);
    RECT button{};
    ::GetWindowRect(Item(IDOK), &button);
    ::MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&button), 2);
    const int width = button.right - button.left;
    const int height = button.bottom - button.top;
    const int gap = width / 8;
    const int row = static_cast<int>(shown.size()) * width + (static_cast<int>(shown.size()) - 1) * gap;
    int x = (client.right - row) / 2;
    for (int id : shown) {
        ::SetWindowPos(Item(id), nullptr, x, button.top, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
        x += width + gap;
    }
    ::SendMessageA(Handle(), DM_SETDEFID, static_cast<WPARAM>(shown.front()), 0);
    ::SetFocus(Item(shown.front()));
}

bool ConfirmAllDlg::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
    switch (id) {
    case IDYES: Close(ConfirmYes); return true;
    case IDNO: Close(ConfirmNo); return true;
    case IDC_CONFIRM_YES_TO_ALL: Close(ConfirmYesToAll); return true;
    case IDC_CONFIRM_NO_TO_ALL:
        state_.cancelRequested = true;
        Close(ConfirmCancel);
        return true;
    default: return false;
    }
}
