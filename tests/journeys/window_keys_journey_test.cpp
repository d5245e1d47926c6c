// What a Windows user counts on from the main window: Enter never closes it,
// a finished job hands it back (its progress in the chosen language), the
// tray keeps it through a new taskbar, and Exit ends the program, from the
// tray even over open dialogs.
#include "journeys/Journey.h"

#include <commctrl.h>
#include <shellapi.h>

#include "res/resource.h"
#include "support/TestFolder.h"
#include "ui/TrayIcon.h"

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

NOTIFYICONDATAA IconOf(HWND window) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = TrayIcon::kIconId;
    return icon;
}

// Whether the shell holds the program's tray icon: a change of nothing is
// accepted only for an icon it holds.
bool TrayIconShown(HWND window) {
    NOTIFYICONDATAA icon = IconOf(window);
    return ::Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

// What a taskbar that starts again has lost: every icon.
void TaskbarForgetsTheIcon(HWND window) {
    NOTIFYICONDATAA icon = IconOf(window);
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
}

HWND ProgressDialog(DWORD processId) {
    for (HWND window : drive::VisibleWindows(processId))
        if (::GetDlgItem(window, IDC_PROGRESS_OVERALL) != nullptr &&
            ::GetDlgItem(window, IDC_PROGRESS_TOTAL_LABEL) != nullptr)
            return window;
    return nullptr;
}

// The job's question about a read-only file, asked over its progress dialog.
HWND AttributeQuestion(DWORD processId) {
    for (HWND window : drive::VisibleWindows(processId))
        if (::GetDlgItem(window, IDYES) != nullptr && ::GetDlgItem(window, IDC_CONFIRM_YES_TO_ALL) != nullptr)
            return window;
    return nullptr;
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

TEST_F(WindowKeysJourney, AFinishedJobHandsTheWindowBackAndItsProgressSpeaksGerman) {
    WriteSetting("Language", "German");
    TestFolder folder;
    // Read-only, so that the job asks with its progress dialog open.
    const std::string file = folder.MakeFile("asked about.txt", 5000, FILE_ATTRIBUTE_READONLY);
    StartProgram();
    HWND page = ShowTab(kFilesTab);
    BrowseFiles(page, "", file);

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SHRED_NOW));
    AnswerBox(IDYES);
    const DWORD id = program->id();
    HWND progress = drive::WaitForWindow([id] { return ProgressDialog(id); }, 30000);
    ASSERT_NE(progress, nullptr) << "no progress dialog came up";
    HWND question = drive::WaitForWindow([id] { return AttributeQuestion(id); }, 30000);
    ASSERT_NE(question, nullptr) << "no question about the read-only file";
    EXPECT_EQ(drive::WindowText(::GetDlgItem(progress, IDC_PROGRESS_TOTAL_LABEL)), "Gesamt");
    ASSERT_TRUE(drive::ClickItem(question, IDYES));

    ASSERT_TRUE(drive::WaitUntil([&] { return !::IsWindow(progress) && !Exists(file); }, 30000))
        << "the job did not end";
    EXPECT_TRUE(drive::WaitUntil([this] { return ::GetForegroundWindow() == mainWindow; }, 5000))
        << "the foreground window is " << ::GetForegroundWindow();
    ExitProgram(0);
}

TEST_F(WindowKeysJourney, TheTrayKeepsTheWindowThroughANewTaskbarAndItsExitEndsOverOpenDialogs) {
    StartProgram();
    HWND window = mainWindow;
    ::PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(drive::WaitUntil([window] { return !::IsWindowVisible(window) && TrayIconShown(window); }, 10000))
        << "not hidden in the tray";

    TaskbarForgetsTheIcon(window);
    ASSERT_FALSE(TrayIconShown(window));
    ::PostMessageA(window, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(drive::WaitUntil([window] { return TrayIconShown(window); }, 10000)) << "the icon did not come back";

    ::PostMessageA(window, TrayIcon::kCallbackMessage, TrayIcon::kIconId, WM_LBUTTONDOWN);
    ASSERT_TRUE(drive::WaitUntil([window] { return ::IsWindowVisible(window) && !::IsIconic(window); }, 10000))
        << "the tray did not bring the window back";
    EXPECT_FALSE(TrayIconShown(window));

    // The algorithm editor, and over it its warning that no pass is selected.
    HWND options = ShowTab(kOptionsTab);
    ASSERT_TRUE(drive::ClickItem(options, IDC_OPTIONS_NEW));
    HWND editor = program->WaitForDialogOtherThan(window);
    ASSERT_NE(editor, nullptr) << "New opened no editor";
    ASSERT_TRUE(drive::ClickItem(editor, IDC_EDITOR_DELETE));
    ASSERT_NE(program->WaitForBox(), nullptr) << "the editor showed no warning";
    ::PostMessageA(window, WM_COMMAND, ID_TRAY_EXIT, 0);
    DWORD code = 99;
    ASSERT_TRUE(program->WaitForExit(5000, &code)) << "the program did not end over its dialogs";
    EXPECT_EQ(code, 0u);
}

}  // namespace
