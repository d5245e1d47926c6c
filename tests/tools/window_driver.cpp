// Drives the real program's windows from outside, for the screenshot script:
//   window_driver wait <title> [seconds] [box title]
//                                            a visible window titled so; prints "x y width height";
//                                            meanwhile answers Yes (or OK) on boxes of the box title
//   window_driver tab <title> <index>        selects a tab of the sheet titled so; prints its rectangle
//   window_driver press <title> <control>    clicks a button of the visible window titled so
//   window_driver press-page <title> <control>
//                                            clicks a button of the sheet's current page
//   window_driver boxes <title>              answers Yes (or OK) on every message box titled so
// A window with a tab control is the sheet; one without is a box or a dialog.
// Exit code 1 when the window did not turn up.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    std::string title;
    bool wantSheet;
    std::vector<HWND> found;
};

bool HasTabControl(HWND window) { return ::FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr; }

BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!::IsWindowVisible(window)) return TRUE;
    char title[256] = "";
    ::GetWindowTextA(window, title, sizeof(title));
    if (search->title == title && HasTabControl(window) == search->wantSheet) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> Find(const std::string& title, bool sheet) {
    Search search{title, sheet, {}};
    ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AnswerBoxes(const std::string& title) {
    for (HWND box : Find(title, false)) {
        // Only message boxes: the ones with the box's own text control.
        if (::GetDlgItem(box, 0xFFFF) == nullptr) continue;
        if (::GetDlgItem(box, IDYES) != nullptr)
            ::PostMessageA(box, WM_COMMAND, IDYES, 0);
        else if (::GetDlgItem(box, IDOK) != nullptr)
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

HWND WaitFor(const std::string& title, bool sheet, int seconds, const std::string& boxTitle) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (!boxTitle.empty()) AnswerBoxes(boxTitle);
        std::vector<HWND> found = Find(title, sheet);
        if (!found.empty()) return found.front();
        ::Sleep(100);
    }
    return nullptr;
}

void PrintRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

int Usage() {
    std::fprintf(stderr, "usage: window_driver wait|tab|press|boxes <title> [argument]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const std::string title = argv[2];
    if (command == "boxes") {
        AnswerBoxes(title);
        return 0;
    }
    if (command == "wait") {
        const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
        HWND window = WaitFor(title, false, seconds, argc > 4 ? argv[4] : "");
        if (window == nullptr) window = WaitFor(title, true, 1, "");
        if (window == nullptr) return 1;
        PrintRect(window);
        return 0;
    }
    if (argc < 4) return Usage();
    const int argument = std::atoi(argv[3]);
    if (command == "tab") {
        // Start-up's boxes carry the same title as the sheet: answer them on the way.
        HWND sheet = WaitFor(title, true, 60, title);
        if (sheet == nullptr) return 1;
        ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(argument), 0);
        ::SetForegroundWindow(sheet);
        ::RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PrintRect(sheet);
        return 0;
    }
    if (command == "press-page") {
        HWND sheet = WaitFor(title, true, 30, "");
        if (sheet == nullptr) return 1;
        HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND button = page == nullptr ? nullptr : ::GetDlgItem(page, argument);
        if (button == nullptr) return 1;
        ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(argument, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 0;
    }
    if (command == "press") {
        HWND window = WaitFor(title, false, 30, "");
        if (window == nullptr) window = WaitFor(title, true, 1, "");
        if (window == nullptr) return 1;
        HWND button = ::GetDlgItem(window, argument);
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(argument, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 0;
    }
    return Usage();
}
