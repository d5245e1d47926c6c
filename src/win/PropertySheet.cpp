#include "win/PropertySheet.h"

#include "win/PropertyPage.h"

namespace win {

namespace {
const char kSheetProperty[] = "VantrelSheetObject";

// Posted by a modal sheet to itself: its initialisation is complete once the
// system's modal loop runs.
// The head of an extended dialog template, up to its style.
struct ExtendedTemplateHead {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};

UINT InitSheetMessage() {
    static const UINT message = ::RegisterWindowMessageA("VantrelInitSheet");
    return message;
}
}  // namespace

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
    initialised_ = false;
    const INT_PTR result = Run(parent, 0);
    modal_ = false;
    hwnd_ = nullptr;
    return result;
}

bool PropertySheet::Create(HWND parent, bool visible) {
    modal_ = false;
    ending_ = false;
    initialised_ = false;
    Run(parent, PSH_MODELESS);
    if (hwnd_ == nullptr) return false;
    // PropertySheetA returns a modeless sheet fully initialised.
    RunInitSheet();
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
    // The first page's window ties this object to the sheet's window (the
    // system may report the sheet initialised before any page exists).
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

std::string PropertySheet::TabText(int index) const {
    HWND tab = TabControl();
    char text[256] = "";
    if (tab == nullptr) return text;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
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

int CALLBACK PropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message != PSCB_PRECREATE || lParam == 0) return 0;
    // The system hands over its own copy of the template, plain or extended.
    auto* words = reinterpret_cast<WORD*>(lParam);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    DWORD* style = extended ? &reinterpret_cast<ExtendedTemplateHead*>(lParam)->style
                            : &reinterpret_cast<DLGTEMPLATE*>(lParam)->style;
    *style &= ~static_cast<DWORD>(WS_VISIBLE);
    return 0;
}

void PropertySheet::OnPageCreated(HWND sheetWindow) {
    if (hwnd_ != nullptr || sheetWindow == nullptr) return;
    Attach(sheetWindow);
    if (modal_) ::PostMessageA(sheetWindow, InitSheetMessage(), 0, 0);
}

void PropertySheet::RunInitSheet() {
    if (initialised_ || hwnd_ == nullptr) return;
    initialised_ = true;
    OnInitSheet();
    // A modal sheet was made hidden; it shows now, placed and captioned.
    if (modal_ && !ending_ && hwnd_ != nullptr) ::ShowWindow(hwnd_, SW_SHOW);
}

LRESULT CALLBACK PropertySheet::SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<PropertySheet*>(::GetPropA(hwnd, kSheetProperty));
    if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == InitSheetMessage()) {
        self->RunInitSheet();
        return 0;
    }
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
