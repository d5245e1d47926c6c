#include "win/LinkLabel.h"

#include <commctrl.h>
#include <shellapi.h>

namespace win {

namespace {

const char kProperty[] = "Vantrel.LinkLabel";

// The system's hand, as a copy of our own: a cursor taken from a library
// that is then released would point at freed memory.
HCURSOR CopyHandCursor() {
    HCURSOR shared = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
    if (shared == nullptr) shared = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    return shared != nullptr ? static_cast<HCURSOR>(::CopyIcon(shared)) : nullptr;
}

TTTOOLINFOA ToolInfo(HWND control) {
    // The older layout, which every common-controls version accepts.
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = control;
    info.uId = LinkLabel::kToolId;
    return info;
}

}  // namespace

void ShellLinkOpener::Open(HWND owner, const std::string& target) {
    ::ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWMINIMIZED);
}

LinkLabel::~LinkLabel() { Detach(); }

bool LinkLabel::Attach(HWND control) {
    if (control_ != nullptr || control == nullptr || !::IsWindow(control)) return false;
    control_ = control;
    ::SetPropA(control_, kProperty, this);
    staticProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkLabel::Proc)));
    // Without the notify style a static lets the mouse through to its parent.
    ::SetWindowLongA(control_, GWL_STYLE, ::GetWindowLongA(control_, GWL_STYLE) | SS_NOTIFY);

    originalFont_ = reinterpret_cast<HFONT>(::SendMessageA(control_, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    HGDIOBJ base = originalFont_ != nullptr ? originalFont_ : ::GetStockObject(DEFAULT_GUI_FONT);
    if (::GetObjectA(base, sizeof(font), &font) != 0) {
        font.lfUnderline = TRUE;
        underlinedFont_.Reset(::CreateFontIndirectA(&font));
        if (underlinedFont_) ::SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont_.Get()), TRUE);
    }
    handCursor_.Reset(CopyHandCursor());
    CreateToolTip();
    return true;
}

void LinkLabel::CreateToolTip() {
    toolTip_.Reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control_,
                                     nullptr, ::GetModuleHandleA(nullptr), nullptr));
    if (!toolTip_) return;
    TTTOOLINFOA info = ToolInfo(control_);
    ::GetClientRect(control_, &info.rect);
    char empty[] = "";
    info.lpszText = empty;
    ::SendMessageA(toolTip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(toolTip_.Get(), TTM_ACTIVATE, FALSE, 0);
}

void LinkLabel::EnableToolTip(bool enable) {
    toolTipEnabled_ = enable;
    if (toolTip_) ::SendMessageA(toolTip_.Get(), TTM_ACTIVATE, enable ? TRUE : FALSE, 0);
}

void LinkLabel::SetToolTipText(const std::string& text) {
    if (!toolTipEnabled_) return;
    toolTipText_ = text;
    if (!toolTip_) return;
    TTTOOLINFOA info = ToolInfo(control_);
    info.lpszText = &toolTipText_[0];
    ::SendMessageA(toolTip_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void LinkLabel::SetToolTipColours(COLORREF background, COLORREF text) const {
    if (!toolTip_) return;
    ::SendMessageA(toolTip_.Get(), TTM_SETTIPBKCOLOR, background, 0);
    ::SendMessageA(toolTip_.Get(), TTM_SETTIPTEXTCOLOR, text, 0);
}

COLORREF LinkLabel::TextColour() const noexcept {
    if (visited_) return visitedColour_;
    return hovering_ ? hoverColour_ : linkColour_;
}

HBRUSH LinkLabel::OnCtlColor(HDC dc) const {
    ::SetTextColor(dc, TextColour());
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK LinkLabel::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<LinkLabel*>(::GetPropA(hwnd, kProperty));
    if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT LinkLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (toolTip_) {
        MSG relayed{control_, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        ::SendMessageA(toolTip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    const WNDPROC next = staticProc_;
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(lParam); break;
    case WM_SETCURSOR:
        if (handCursor_) {
            ::SetCursor(handCursor_.Get());
            return TRUE;
        }
        break;
    case WM_CAPTURECHANGED:
        if (hovering_ && reinterpret_cast<HWND>(lParam) != control_) {
            hovering_ = false;
            ::InvalidateRect(control_, nullptr, TRUE);
        }
        break;
    case WM_LBUTTONDOWN: pressed_ = true; break;
    case WM_LBUTTONUP: {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT client{};
        ::GetClientRect(control_, &client);
        const bool inside = ::PtInRect(&client, point) != FALSE;
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (wasPressed && inside) Click();
        break;
    }
    case WM_NCDESTROY: {
        const HWND control = control_;
        Detach();
        return ::CallWindowProcA(next, control, message, wParam, lParam);
    }
    default: break;
    }
    return ::CallWindowProcA(next, control_, message, wParam, lParam);
}

void LinkLabel::OnMouseMove(LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client{};
    ::GetClientRect(control_, &client);
    if (!hovering_) {
        hovering_ = true;
        ::SetCapture(control_);
        ::InvalidateRect(control_, nullptr, TRUE);
    } else if (!::PtInRect(&client, point)) {
        hovering_ = false;
        ::ReleaseCapture();
        ::InvalidateRect(control_, nullptr, TRUE);
    }
}

void LinkLabel::Click() {
    if (notifyParent_) {
        ::SendMessageA(::GetParent(control_), kClickedMessage, static_cast<WPARAM>(::GetDlgCtrlID(control_)), 0);
    } else {
        LinkOpener& opener = opener_ != nullptr ? *opener_ : static_cast<LinkOpener&>(shell_);
        opener.Open(::GetParent(control_), target_);
    }
    visited_ = true;
    ::InvalidateRect(control_, nullptr, TRUE);
}

void LinkLabel::Detach() {
    if (control_ == nullptr) return;
    if (::IsWindow(control_)) {
        if (::GetCapture() == control_) ::ReleaseCapture();
        ::SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProc_));
        ::RemovePropA(control_, kProperty);
        // The underlined font goes with this object; the control keeps its own.
        if (underlinedFont_) ::SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(originalFont_), FALSE);
    }
    toolTip_.Reset();
    underlinedFont_.Reset();
    control_ = nullptr;
    staticProc_ = nullptr;
    hovering_ = false;
}

}  // namespace win
