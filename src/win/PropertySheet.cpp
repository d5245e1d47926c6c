#include "win/PropertySheet.h"

#include "win/PropertyPage.h"

namespace win {

namespace {
const char kSheetProperty[] = "VantrelSheetObject";
}

PropertySheet::~PropertySheet() {
    if (hwnd_ != nullptr && !modal_) ::DestroyWindow(hwnd_);
}

void PropertySheet::AddPage(PropertyPage& page) {
    page.sheet_ = this;
    pages_.push_back(&page);
}

INT_PTR PropertySheet::DoModal(HWND parent) {
    modal_ = true;
    ending_ = false;
    const INT_PTR result = Run(parent, 0);
    modal_ = false;
    hwnd_ = nullptr;
    return result;
}

bool PropertySheet::Create(HWND parent, bool visible) {
    modal_ = false;
    ending_ = false;
    const INT_PTR made = Run(parent, PSH_MODELESS);
    // Wine reports the sheet initialised before its first page exists, so
    // the callback cannot find this object; a modeless sheet is its result.
    HWND window = reinterpret_cast<HWND>(made);
    if (hwnd_ == nullptr && made != -1 && ::IsWindow(window)) {
        Attach(window);
        OnInitSheet();
    }
    if (hwnd_ == nullptr) return false;
    if (visible) ::ShowWindow(hwnd_, SW_SHOW);
    return true;
}

INT_PTR PropertySheet::Run(HWND parent, DWORD modeFlags) {
    std::vector<PROPSHEETPAGEA> descriptions;
    descriptions.reserve(pages_.size());
    for (PropertyPage* page : pages_) descriptions.push_back(page->Describe());

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | flags_ | modeFlags;
    header.hwndParent = parent;
    header.hInstance = ::GetModuleHandleA(nullptr);
    header.pszCaption = MAKEINTRESOURCEA(titleId_);
    header.nPages = static_cast<UINT>(descriptions.size());
    header.ppsp = descriptions.data();
    header.pfnCallback = &PropertySheet::SheetCallback;
    // The callback finds this object through the first page, which the
    // system has created by the time the sheet reports itself initialised.
    return ::PropertySheetA(&header);
}

void PropertySheet::EndSheet(INT_PTR result) {
    if (hwnd_ == nullptr || ending_) return;
    ending_ = true;
    if (modal_) {
        // The system's modal loop ends once the sheet reports no current page.
        ::PostMessageA(hwnd_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        (void)result;
    } else {
        HWND window = hwnd_;
        hwnd_ = nullptr;
        ::DestroyWindow(window);
    }
}

void PropertySheet::SetActivePage(int index) const {
    if (hwnd_ != nullptr) ::SendMessageA(hwnd_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int PropertySheet::ActivePageIndex() const {
    HWND tab = TabControl();
    return tab == nullptr ? -1 : static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0));
}

HWND PropertySheet::TabControl() const {
    return hwnd_ == nullptr ? nullptr : reinterpret_cast<HWND>(::SendMessageA(hwnd_, PSM_GETTABCONTROL, 0, 0));
}

void PropertySheet::SetTabText(int index, const std::string& text) const {
    HWND tab = TabControl();
    if (tab == nullptr) return;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tab, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void PropertySheet::SetTitle(const std::string& text) const {
    if (hwnd_ != nullptr) ::SetWindowTextA(hwnd_, text.c_str());
}

LRESULT PropertySheet::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::CallWindowProcA(systemProc_, hwnd_, message, wParam, lParam);
}

void PropertySheet::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    ::SetPropA(hwnd, kSheetProperty, this);
    systemProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PropertySheet::SheetProc)));
}

int CALLBACK PropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
    HWND firstPage = reinterpret_cast<HWND>(::SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    auto* page = firstPage == nullptr ? nullptr : dynamic_cast<PropertyPage*>(Dialog::FromWindow(firstPage));
    if (page == nullptr || page->sheet_ == nullptr) return 0;
    page->sheet_->Attach(hwnd);
    page->sheet_->OnInitSheet();
    return 0;
}

LRESULT CALLBACK PropertySheet::SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<PropertySheet*>(::GetPropA(hwnd, kSheetProperty));
    if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (self->OnSheetMessage(message, wParam, lParam, result)) return result;
    const WNDPROC systemProc = self->systemProc_;
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kSheetProperty);
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc));
        self->hwnd_ = nullptr;
    }
    return ::CallWindowProcA(systemProc, hwnd, message, wParam, lParam);
}

}  // namespace win
