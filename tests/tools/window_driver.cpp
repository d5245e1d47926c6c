// Drives the real program's windows from outside, for the screenshot script:
//   window_driver wait <title> [seconds] [box title]
//                                            a visible window titled so; prints "x y width height";
//                                            meanwhile answers Yes (or OK) on boxes of the box title
//   window_driver tab <title> <index>        selects a tab of the sheet titled so; prints its rectangle
//   window_driver press <title> <control>    clicks a button of the visible window titled so
//   window_driver press-page <title> <control>
//                                            clicks a button of the sheet's current page
//   window_driver boxes <title>              answers Yes (or OK) on every message box titled so
//   window_driver hold <title> <ms>          once the window titled so shows a bar that has moved,
//                                            prints its rectangle and holds its program still
//                                            for that long, so that a picture catches it mid-job
// A window with a tab control is the sheet; one without is a box or a dialog.
// Exit code 1 when the window did not turn up.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/WindowDriver.h"

namespace {

void AnswerBoxes(const std::string& title) {
    for (HWND box : drive::VisibleWindows()) {
        if (!drive::IsMessageBox(box) || drive::WindowText(box) != title) continue;
        if (!drive::ClickItem(box, IDYES)) drive::ClickItem(box, IDOK);
    }
}

HWND WaitFor(const std::string& title, bool sheet, int seconds, const std::string& boxTitle) {
    return drive::WaitForWindow(
        [&] {
            if (!boxTitle.empty()) AnswerBoxes(boxTitle);
            return drive::FindWindowTitled(title, sheet);
        },
        static_cast<DWORD>(seconds) * 1000);
}

void PrintRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
}

bool BarMoved(HWND window) {
    for (HWND bar = ::FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr); bar != nullptr;
         bar = ::FindWindowExA(window, bar, PROGRESS_CLASSA, nullptr))
        if (::SendMessageA(bar, PBM_GETPOS, 0, 0) > 0) return true;
    return false;
}

// Every thread of the window's process suspended (true) or resumed (false).
void HoldProcess(HWND window, bool hold) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    win::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        win::UniqueHandle thread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (!thread) continue;
        if (hold)
            ::SuspendThread(thread.Get());
        else
            ::ResumeThread(thread.Get());
    }
}

int Usage() {
    std::fprintf(stderr, "usage: window_driver wait|tab|press|press-page|boxes|hold <title> [argument]\n");
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
        if (sheet == nullptr || !drive::SelectTab(sheet, argument)) return 1;
        ::SetForegroundWindow(sheet);
        ::RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PrintRect(sheet);
        return 0;
    }
    if (command == "hold") {
        HWND window = drive::WaitForWindow(
            [&] {
                HWND found = drive::FindWindowTitled(title, false);
                return found != nullptr && BarMoved(found) ? found : nullptr;
            },
            60000);
        if (window == nullptr) return 1;
        // Painted whole before it is held.
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        ::Sleep(300);
        HoldProcess(window, true);
        PrintRect(window);
        ::Sleep(static_cast<DWORD>(argument));
        HoldProcess(window, false);
        return 0;
    }
    if (command == "press-page") {
        HWND sheet = WaitFor(title, true, 30, "");
        return sheet != nullptr && drive::ClickItem(drive::CurrentPage(sheet), argument) ? 0 : 1;
    }
    if (command == "press") {
        HWND window = WaitFor(title, false, 30, "");
        if (window == nullptr) window = WaitFor(title, true, 1, "");
        return window != nullptr && drive::ClickItem(window, argument) ? 0 : 1;
    }
    return Usage();
}
