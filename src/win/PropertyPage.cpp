#include "win/PropertyPage.h"

#include "win/PropertySheet.h"

namespace win {

PROPSHEETPAGEA PropertyPage::Describe() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT | extraFlags_;
    page.hInstance = ::GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    page.pfnDlgProc = &PropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

bool PropertyPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != SheetHandle()) return OnControlNotify(header, result);
    switch (header.code) {
    case PSN_SETACTIVE: result = OnSetActive() ? 0 : -1; return true;
    case PSN_KILLACTIVE: result = OnKillActive() ? FALSE : TRUE; return true;
    case PSN_APPLY: OnApply(); result = PSNRET_NOERROR; return true;
    case PSN_QUERYCANCEL: result = OnQueryCancel() ? FALSE : TRUE; return true;
    case PSN_RESET: OnReset(); result = 0; return true;
    default: return OnControlNotify(header, result);
    }
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        // The sheet hands the page's own description, which carries the object.
        self = reinterpret_cast<PropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        AttachToWindow(self, hwnd);
        auto* page = static_cast<PropertyPage*>(self);
        if (page->sheet_ != nullptr) page->sheet_->OnPageCreated(::GetParent(hwnd));
    } else {
        self = FromWindow(hwnd);
    }
    return Route(self, hwnd, message, wParam, lParam);
}

}  // namespace win
