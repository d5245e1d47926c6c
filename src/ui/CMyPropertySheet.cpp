#include "ui/CMyPropertySheet.h"


#include <commctrl.h>

#include "app/CShredApp.h"
#include "engine/Settings.h"
#include "res/resource.h"
#include "ui/CMyPropertyPage1.h"
#include "ui/FirstRunWizard.h"
#include "ui/MainWindowPages.h"
#include "win/OwnedDialogs.h"

namespace {
// Posted to run a close that waited for the job to end, once the job's
// handler has returned.
constexpr UINT kDeferredCloseMessage = WM_APP + 1;
}  // namespace

CMyPropertySheet::CMyPropertySheet(CShredApp& app, ScheduleRequests& schedule)
    : CMyPropertySheet(app, MakeMainWindowPages(app, schedule)) {}

CMyPropertySheet::CMyPropertySheet(CShredApp& app, std::vector<std::unique_ptr<win::PropertyPage>> pages)
    : PropertySheet(IDS_PROGRAM_NAME, PSH_NOAPPLYNOW | PSH_HASHELP), app_(app), pages_(std::move(pages)) {
    for (auto& page : pages_) {
        page->AddPageFlags(PSP_HASHELP);  // the Help button stays enabled on every page
        AddPage(*page);
        if (auto* options = dynamic_cast<CMyPropertyPage1*>(page.get())) options->SetLanguageListener(this);
    }
}

CMyPropertySheet::~CMyPropertySheet() {
    tray_.Remove();
    toolTips_.Release();  // went with the sheet's window
}

void CMyPropertySheet::OnInitSheet() {
    AdjustFrame();
    RunFirstRunWizardIfDue();
    CenterOnDesktop();
    SetIcons();
    app_.dialogs().SetMainWindow(Handle());
    app_.SetTaskDialogOwner(Handle());
    EnableToolTips();
    ApplyLanguage();
    // The Scheduler page is created at start; the Options page is shown.
    SetActivePage(kSchedulerPage);
    SetActivePage(kOptionsPage);
    ::ShowWindow(::GetDlgItem(Handle(), IDOK), SW_HIDE);
}

void CMyPropertySheet::AdjustFrame() {
    HWND window = Handle();
    LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(DS_CONTEXTHELP | DS_MODALFRAME)) | WS_MINIMIZEBOX;
    ::SetWindowLongPtrA(window, GWL_STYLE, style);
    // The title bar's help button comes from the extended style.
    const LONG_PTR extended = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, extended & ~static_cast<LONG_PTR>(WS_EX_CONTEXTHELP));
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    HMENU menu = ::GetSystemMenu(window, FALSE);
    if (menu == nullptr) return;
    ::EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
    ::DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    // Only the separator that now stands at position 4, never an item.
    if ((::GetMenuState(menu, 4, MF_BYPOSITION) & MF_SEPARATOR) != 0) ::DeleteMenu(menu, 4, MF_BYPOSITION);
    ::DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    ::EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
}

void CMyPropertySheet::RunFirstRunWizardIfDue() {
    if (app_.settings().Read(setting::kFirstRun) != "1") return;
    // A command-line run opens no window of its own, the wizard neither.
    if (app_.commandLineRun()) return;
    // It stores "0" itself, on the ways out that end the first run.
    RunFirstRunWizard(app_, Handle());
}

void CMyPropertySheet::CenterOnDesktop() {
    RECT window{};
    RECT desktop{};
    ::GetWindowRect(Handle(), &window);
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const int x = desktop.left + ((desktop.right - desktop.left) - (window.right - window.left)) / 2;
    const int y = desktop.top + ((desktop.bottom - desktop.top) - (window.bottom - window.top)) / 2;
    ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMyPropertySheet::SetIcons() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    icon_ = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                            ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    smallIcon_ = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                 LR_SHARED));
    ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
}

void CMyPropertySheet::EnableToolTips() {
    toolTips_.Reset(::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr));
    if (toolTips_) ::SendMessageA(toolTips_.Get(), TTM_ACTIVATE, TRUE, 0);
}

void CMyPropertySheet::ApplyLanguage() {
    const LanguagePack& texts = app_.texts();
    // Every tab but the About page's; "Error" gives the page's own caption,
    // as its template has it, so that a pack without tab captions (English)
    // also takes back those of the language before.
    if (ownTabCaptions_.empty())
        for (int i = 0; i < static_cast<int>(PageCount()); ++i) ownTabCaptions_.push_back(TabText(i));
    for (int i = 0; i + 1 < static_cast<int>(PageCount()); ++i) {
        const std::string caption = texts.Caption(9600 + i, "Error");
        SetTabText(i, caption != "Error" ? caption : ownTabCaptions_[static_cast<size_t>(i)]);
    }
    app_.programCaption() = texts.Caption(9610, "Vantrel");
    SetTitle(app_.programCaption());
    texts.SetDlgItem(11004, IDOK, Handle());
    texts.SetDlgItem(9609, IDHELP, Handle());
    texts.SetDlgItem(11003, IDCANCEL, Handle());
}

bool CMyPropertySheet::MinimizeToTray() {
    if (!trayMenu_) {
        trayMenu_.Reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
        if (!trayMenu_) app_.ui().ShowMessage(app_.texts().Text(12004), app_.programCaption(), MB_OK | MB_ICONERROR);
    }
    if (!tray_.Add(Handle(), icon_)) {
        app_.ui().ShowMessage(app_.texts().Text(12003), app_.programCaption(), MB_OK | MB_ICONERROR);
        return false;
    }
    ::ShowWindow(Handle(), SW_MINIMIZE);
    ::ShowWindow(Handle(), SW_HIDE);
    return true;
}

void CMyPropertySheet::RestoreFromTray() {
    ::ShowWindow(Handle(), SW_RESTORE);
    tray_.Remove();
}

void CMyPropertySheet::ShowTrayMenu() {
    HMENU popup = trayMenu_ ? ::GetSubMenu(trayMenu_.Get(), 0) : nullptr;
    if (popup == nullptr) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without this the menu stays open when the user clicks elsewhere.
    ::SetForegroundWindow(Handle());
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, Handle(), nullptr);
    ::PostMessageA(Handle(), WM_NULL, 0, 0);
}

void CMyPropertySheet::OpenHelp() { opener_->OpenMaximised(Handle(), HelpFilePath(app_.machine().programFolder)); }

void CMyPropertySheet::RequestClose() {
    if (app_.state().jobRunning) {
        // Freeing what the job works with under it would crash it: stop it,
        // and close once it has returned.
        app_.state().cancelRequested = true;
        closePending_ = true;
        return;
    }
    CloseNow();
}

void CMyPropertySheet::OnJobEnded() {
    if (closePending_ && Handle() != nullptr) ::PostMessageA(Handle(), kDeferredCloseMessage, 0, 0);
}

void CMyPropertySheet::CloseNow() {
    closePending_ = false;
    closing_ = true;
    tray_.Remove();
    // An open dialog's modal loop would run on under the ended sheet.
    win::CancelOwnedDialogs(Handle());
    EndSheet(IDCANCEL);
}

void CMyPropertySheet::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(Handle(), &paint);
    if (dc != nullptr && icon_ != nullptr) {
        RECT client{};
        ::GetClientRect(Handle(), &client);
        const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc, x, y, icon_);
    }
    ::EndPaint(Handle(), &paint);
}

bool CMyPropertySheet::OnTrayMessage(WPARAM wParam, LPARAM lParam) {
    if (wParam != TrayIcon::kIconId) return true;
    if (lParam == WM_RBUTTONUP || lParam == WM_CONTEXTMENU)
        ShowTrayMenu();
    else if (lParam == WM_LBUTTONDOWN)
        RestoreFromTray();
    return true;
}

bool CMyPropertySheet::OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        tray_.AddAgain();
        return true;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        // Once hidden in the tray, the system's minimising would show the
        // window again on the task bar.
        case SC_MINIMIZE: return MinimizeToTray();
        case SC_CLOSE: RequestClose(); return true;
        default: return false;
        }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDHELP: OpenHelp(); return true;
        // Enter anywhere in the sheet presses its default button, the hidden
        // About, which the system's sheet would take for OK and close.
        case IDOK: return !::IsWindowVisible(::GetDlgItem(Handle(), IDOK));
        case ID_TRAY_RESTORE: RestoreFromTray(); return true;
        case ID_TRAY_EXIT: RequestClose(); return true;
        // The Exit button: the sheet's own cancel, once the close is ours.
        case IDCANCEL:
            if (closing_) return false;
            RequestClose();
            return true;
        default: return false;
        }
    case WM_HELP:
        OpenHelp();
        result = TRUE;
        return true;
    case WM_PAINT: Paint(); return true;
    case TrayIcon::kCallbackMessage: return OnTrayMessage(wParam, lParam);
    case kDeferredCloseMessage:
        if (closePending_ && !app_.state().jobRunning) CloseNow();
        return true;
    case WM_QUERYENDSESSION:
        // The pages stop their jobs; the session may end.
        for (auto& page : pages_)
            if (page->Handle() != nullptr) ::SendMessageA(page->Handle(), WM_QUERYENDSESSION, wParam, lParam);
        app_.state().cancelRequested = app_.state().cancelRequested || app_.state().jobRunning;
        result = TRUE;
        return true;
    case WM_DESTROY:
        tray_.Remove();
        toolTips_.Release();
        app_.dialogs().SetMainWindow(nullptr);
        app_.SetTaskDialogOwner(nullptr);
        return false;
    default: return false;
    }
}
