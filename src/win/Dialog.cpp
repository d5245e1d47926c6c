#include "win/Dialog.h"

#include "win/DialogLook.h"

namespace win {

namespace {
const char kObjectProperty[] = "VantrelDialogObject";
}

Dialog::~Dialog() { Destroy(); }

INT_PTR Dialog::DoModal(HWND parent) {
    modal_ = true;
    INT_PTR result = ::DialogBoxParamA(Resources(), MAKEINTRESOURCEA(templateId_), parent,
                                       &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    modal_ = false;
    return result;
}

bool Dialog::Create(HWND parent) {
    modal_ = false;
    HWND made = ::CreateDialogParamA(Resources(), MAKEINTRESOURCEA(templateId_), parent,
                                     &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return made != nullptr;
}

HINSTANCE Dialog::Resources() const noexcept {
    return resources_ != nullptr ? resources_ : ::GetModuleHandleA(nullptr);
}

void Dialog::Destroy() noexcept {
    if (hwnd_ != nullptr && !modal_) {
        HWND window = hwnd_;
        hwnd_ = nullptr;
        ::RemovePropA(window, kObjectProperty);
        ::DestroyWindow(window);
    }
}

void Dialog::SetItemText(int controlId, const std::string& text) const {
    ::SetDlgItemTextA(hwnd_, controlId, text.c_str());
}

void Dialog::SetItemText(int controlId, const std::wstring& text) const {
    ::SetDlgItemTextW(hwnd_, controlId, text.c_str());
}

void Dialog::SetTitle(const std::string& text) const { ::SetWindowTextA(hwnd_, text.c_str()); }

void Dialog::SetLook(const DialogLook* look) {
    look_ = look;
    if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Dialog::Close(INT_PTR result) {
    if (modal_)
        ::EndDialog(hwnd_, result);
    else
        Destroy();
}

void Dialog::AttachToWindow(Dialog* self, HWND hwnd) { ::SetPropA(hwnd, kObjectProperty, self); }

Dialog* Dialog::FromWindow(HWND hwnd) { return static_cast<Dialog*>(::GetPropA(hwnd, kObjectProperty)); }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        AttachToWindow(self, hwnd);
    } else {
        self = FromWindow(hwnd);
    }
    return Route(self, hwnd, message, wParam, lParam);
}

INT_PTR Dialog::Route(Dialog* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (self == nullptr) return FALSE;
    if (message == WM_INITDIALOG) self->hwnd_ = hwnd;
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->HandleMessage(message, wParam, lParam);
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
        if (id == IDOK) { OnOK(); return TRUE; }
        if (id == IDCANCEL) { OnCancel(); return TRUE; }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
        ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // These messages take the brush as the procedure's own answer.
        const HBRUSH brush = look_ == nullptr ? nullptr
                                              : look_->Answer(message, reinterpret_cast<HDC>(wParam),
                                                              reinterpret_cast<HWND>(lParam));
        if (brush != nullptr) return reinterpret_cast<INT_PTR>(brush);
        return OnMessage(message, wParam, lParam);
    }
    default: return OnMessage(message, wParam, lParam);
    }
}

}  // namespace win
