// What a Windows user counts on from the main window: Enter never closes it,
// and Exit ends the program.
#include "journeys/Journey.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

constexpr int kOptionsTab = 0;
constexpr int kFilesTab = 1;
constexpr int kFoldersTab = 2;

// The tab is posted behind whatever was posted before it, so once it shows,
// the window has handled all of that and is still there.
bool StillThereAfterItsQueue(HWND sheet, int tab) {
    ::PostMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    return drive::WaitUntil(
        [sheet, tab] {
            HWND tabs = ::FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
            return ::IsWindowVisible(sheet) && ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == tab;
        },
        10000);
}

class WindowKeysJourney : public Journey {};

// No page has an edit box; the algorithm box is the Options page's typing place.
TEST_F(WindowKeysJourney, EnterInAListOrABoxKeepsTheWindowAndExitEndsTheProgram) {
    StartProgram();
    HWND files = ShowTab(kFilesTab);
    drive::PressKey(::GetDlgItem(files, IDC_TARGETS_FILE_LIST), VK_RETURN);
    ASSERT_TRUE(StillThereAfterItsQueue(mainWindow, kFoldersTab)) << "Enter in the list closed the window";

    HWND options = ShowTab(kOptionsTab);
    drive::PressKey(::GetDlgItem(options, IDC_OPTIONS_ALGORITHM), VK_RETURN);
    ASSERT_TRUE(StillThereAfterItsQueue(mainWindow, kFilesTab)) << "Enter in the algorithm box closed the window";

    ExitProgram(0);
}

}  // namespace
