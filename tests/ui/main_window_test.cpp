// The main window as a real property sheet under Xvfb, driven by window messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "app/CShredApp.h"
#include "engine/FreeSpaceJob.h"
#include "res/resource.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage1.h"
#include "ui/CMyPropertyPage4.h"
#include "ui/CMyPropertySheet.h"
#include "scheduler/TaskCommandLine.h"
#include "ui/DriveRows.h"
#include "ui/MainWindowPages.h"
#include "ui/ScheduleRequests.h"

namespace {

void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

std::string WindowText(HWND window) {
    char buffer[512] = "";
    ::GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

std::string TabText(HWND tab, int index) {
    char buffer[256] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

// Answers the first message box titled `title` (a dialog without tabs, so not
// the sheet of the same title) from another thread, recording its text.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::string title) : title_(std::move(title)), thread_([this] { Run(); }) {}
    ~BoxAnswerer() {
        if (thread_.joinable()) thread_.join();
    }
    std::string Text() {
        if (thread_.joinable()) thread_.join();
        return text_;
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM data) {
        auto* self = reinterpret_cast<BoxAnswerer*>(data);
        if (!::IsWindowVisible(window) || WindowText(window) != self->title_) return TRUE;
        if (::FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr) return TRUE;
        self->box_ = window;
        return FALSE;
    }
    void Run() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (box_ == nullptr && std::chrono::steady_clock::now() < deadline) {
            ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(this));
            if (box_ == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (box_ == nullptr) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        char buffer[1024] = "";
        ::GetDlgItemTextA(box_, 0xFFFF, buffer, sizeof(buffer));
        text_ = buffer;
        ::PostMessageA(box_, WM_COMMAND, IDOK, 0);
    }
    std::string title_;
    HWND box_ = nullptr;
    std::string text_;
    std::thread thread_;
};

class RecordingOpener final : public ShellOpener {
public:
    void OpenMaximised(HWND, const std::string& path) override { paths.push_back(path); }
    std::vector<std::string> paths;
};

class RecordingDriveSchedule final : public ScheduleRequests {
public:
    void ScheduleDrive(HWND, const std::string& rowText, int driveOption) override {
        created.push_back(rowText + "|" + std::to_string(driveOption));
    }
    std::vector<std::string> created;
};

// Stands in for free-space shredding; `during` runs while the job is under way.
class FakeFreeSpace final : public FreeSpaceJob {
public:
    int ShredFreeSpace(const std::string& root) override {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        roots.push_back(root);
        if (during) during();
        --depth;
        return 0;
    }
    uint64_t mftRecordsOverwritten() const override { return records; }
    std::function<void()> during;
    std::vector<std::string> roots;
    uint64_t records = 0;
    int depth = 0;
    int maxDepth = 0;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryA((folder / "Lang").c_str(), nullptr);
        std::ofstream pack(folder / "Lang\\Test.ini");
        pack << "[Korvex Language Pack]\n9601=Files Here\n9603=Error\n9607=Never Shown\n9610=Vantrel Test\n";
        pack.close();
        app.machine().programFolder = folder.path();
        app.texts() = LanguagePack(folder.path(), "Test");
        app.settings().Write(setting::kFirstRun, "0");
        DriveInfo backup;
        backup.displayName = "Backup (old) (E:)";
        backup.fileSystem = "NTFS";
        backup.totalGiB = 40.0f;
        backup.freeGiB = 2.5f;
        DriveInfo local;
        local.displayName = "Local Disk (C:)";
        local.fileSystem = "FAT32";
        local.totalGiB = 100.0f;
        local.freeGiB = static_cast<float>(16106127360.0 / (1u << 30));  // 15 x 2^30 bytes
        app.machine().fixedDrives = {backup, local};
    }
    void TearDown() override { app.settings().Write(setting::kFirstRun, "1"); }

    std::unique_ptr<CMyPropertySheet> MakeSheet() {
        std::vector<std::unique_ptr<win::PropertyPage>> pages = MakeMainWindowPages(app, schedule);
        auto page = std::make_unique<CMyPropertyPage4>(app, schedule, freeSpace);
        drivePage = page.get();
        pages[CMyPropertySheet::kDrivePage] = std::move(page);
        auto sheet = std::make_unique<CMyPropertySheet>(app, std::move(pages));
        sheet->SetShellOpener(opener);
        return sheet;
    }
    HWND DrivePage(CMyPropertySheet& sheet) {
        sheet.SetActivePage(CMyPropertySheet::kDrivePage);
        return drivePage->Handle();
    }
    HWND DriveList(CMyPropertySheet& sheet) { return ::GetDlgItem(DrivePage(sheet), IDC_DRIVE_LIST); }
    void SelectRow(CMyPropertySheet& sheet, int row) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(DriveList(sheet), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    void Click(HWND dialog, int id) {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }

    TestFolder folder;
    CShredApp app;
    RecordingDriveSchedule schedule;
    RecordingOpener opener;
    FakeFreeSpace freeSpace;
    CMyPropertyPage4* drivePage = nullptr;
};

TEST_F(MainWindowTest, PagesTabsButtonsAndSystemMenuAsTheWindowLeavesThem) {
    auto sheet = MakeSheet();
    ASSERT_TRUE(sheet->Create(nullptr, true));
    HWND window = sheet->Handle();
    HWND tab = sheet->TabControl();
    ASSERT_EQ(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 8);
    const char* captions[8] = {"Shred Options", "Files Here",        "Shred Folders", "Shred Drive",
                               "Shred Recycle Bin", "Scheduler", "Shred Restore Points", "About"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(TabText(tab, i), captions[i]) << "tab " << i;
    EXPECT_EQ(sheet->ActivePageIndex(), 0);
    EXPECT_NE(sheet->Page(CMyPropertySheet::kSchedulerPage).Handle(), nullptr) << "the Scheduler page exists from the start";
    EXPECT_EQ(WindowText(window), "Vantrel Test");
    EXPECT_EQ(app.programCaption(), "Vantrel Test");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDOK)));
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDOK)), "About");
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window, IDHELP)));
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDHELP)), "Help");
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDCANCEL)), "Exit");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, 0x3021))) << "no Apply button";  // IDC_APPLY_BUTTON

    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & DS_MODALFRAME, 0);
    EXPECT_EQ(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);

    HMENU menu = ::GetSystemMenu(window, FALSE);
    std::vector<UINT> ids;
    for (int i = 0; i < 4; ++i) ids.push_back(::GetMenuItemID(menu, i));
    EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_MINIMIZE, SC_CLOSE}));
    // Wine adds a separator and an item of its own after Close.
    EXPECT_EQ(::GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(::GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(::GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(::GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);

    EXPECT_EQ(::SendMessageA(window, WM_GETICON, ICON_BIG, 0) != 0, true);
}

TEST_F(MainWindowTest, HelpButtonAndF1OpenTheSameFile) {
    auto sheet = MakeSheet();
    ASSERT_TRUE(sheet->Create(nullptr, true));
    Click(sheet->Handle(), IDHELP);
    HELPINFO help{};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_WINDOW;
    ::SendMessageA(sheet->Page(0).Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_EQ(opener.paths.size(), 2u);
    EXPECT_EQ(opener.paths[0], folder.path() + "\\HLP\\Hlp.chm");
    EXPECT_EQ(opener.paths[1], opener.paths[0]);
}

TEST_F(MainWindowTest, DrivePageRowsRootsAndItsTwoCommands) {
    app.machine().schedulerUnavailable = true;
    auto sheet = MakeSheet();
    ASSERT_TRUE(sheet->Create(nullptr, true));
    HWND page = DrivePage(*sheet);
    win::AutoFitListCtrl list(DriveList(*sheet));
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Text(0, 0), "Backup (old) (E:)");
    EXPECT_EQ(list.Text(0, 1), "NTFS");
    EXPECT_EQ(list.Text(0, 2), "2.50 GB");
    EXPECT_EQ(list.Text(0, 3), "40.00 GB");
    EXPECT_EQ(list.Text(1, 0), "Local Disk (C:)");
    EXPECT_EQ(list.Text(1, 2), "15.00 GB");
    EXPECT_EQ(list.HeaderText(2), "Free Space");
    EXPECT_EQ(list.ColumnWidth(0), list.TextWidth("Backup (old) (E:)") + 15);
    EXPECT_EQ(WindowText(::GetDlgItem(page, IDC_DRIVE_SHRED_NOW)), "Shred &Now");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, IDC_DRIVE_SCHEDULE)));
    // Disabled again each time the page becomes active.
    sheet->SetActivePage(0);
    ::EnableWindow(::GetDlgItem(page, IDC_DRIVE_SCHEDULE), TRUE);
    DrivePage(*sheet);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, IDC_DRIVE_SCHEDULE)));
    Click(page, IDC_DRIVE_SCHEDULE);
    EXPECT_TRUE(schedule.created.empty()) << "no task without the component";

    {
        BoxAnswerer box("Vantrel Test");
        Click(page, IDC_DRIVE_SHRED_NOW);
        EXPECT_EQ(box.Text(), "There's no selected drive, Please select a drive first.");
    }
    EXPECT_TRUE(freeSpace.roots.empty());

    app.state().cancelRequested = true;
    app.state().answers.attributeYesToAll = true;
    SelectRow(*sheet, 0);
    freeSpace.during = [&] {
        EXPECT_FALSE(app.state().cancelRequested);
        EXPECT_FALSE(app.state().answers.attributeYesToAll);
    };
    Click(page, IDC_DRIVE_SHRED_NOW);
    EXPECT_EQ(freeSpace.roots, (std::vector<std::string>{"E:\\"}));
    // The MFT's share of a job is told once the job is over; none, nothing.
    freeSpace.records = 321;
    freeSpace.during = nullptr;
    {
        BoxAnswerer box("Vantrel Test");
        Click(page, IDC_DRIVE_SHRED_NOW);
        EXPECT_EQ(box.Text(), "321 free MFT records overwritten on drive E:, and with them what deleted small files "
                              "and their names had left there.");
    }

    app.machine().schedulerUnavailable = false;
    SelectRow(*sheet, 1);
    Click(page, IDC_DRIVE_SCHEDULE);
    EXPECT_EQ(schedule.created, (std::vector<std::string>{"Local Disk (C:)|0"}))
        << "the selected row and the page's drive option, always 0";
}

TEST(DriveRowsTest, RootFromTheLastParenthesisAndGigabytes) {
    EXPECT_EQ(DriveRootOfRow("Backup (old) (E:)"), "E:\\");
    EXPECT_EQ(DriveRootOfRow("Local Disk (C:)"), "C:\\");
    EXPECT_EQ(DriveRootOfRow("Odd) (D:))"), "D:\\");
    EXPECT_EQ(GigabyteText(15.0f), "15.00 GB");
    EXPECT_EQ(GigabyteText(0.004f), "0.00 GB");
}

// Closing while a job runs stops the job and waits for it; a second job
// cannot start meanwhile.
TEST_F(MainWindowTest, CloseWhileAJobRunsWaitsForTheJobAndNoSecondJobStarts) {
    auto sheet = MakeSheet();
    ASSERT_TRUE(sheet->Create(nullptr, true));
    HWND window = sheet->Handle();
    HWND page = DrivePage(*sheet);
    SelectRow(*sheet, 1);
    bool windowDuringJob = false;
    freeSpace.during = [&] {
        // The end of the session stops the job too.
        EXPECT_EQ(::SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_TRUE(app.state().cancelRequested);
        app.state().cancelRequested = false;
        ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        ::SendMessageA(window, WM_COMMAND, ID_TRAY_EXIT, 0);
        Click(page, IDC_DRIVE_SHRED_NOW);  // a second job
        Pump();
        windowDuringJob = ::IsWindow(window) && ::IsWindow(page);
        EXPECT_TRUE(app.state().cancelRequested);
        EXPECT_TRUE(sheet->ClosePending());
    };
    Click(page, IDC_DRIVE_SHRED_NOW);
    EXPECT_TRUE(windowDuringJob);
    EXPECT_EQ(freeSpace.maxDepth, 1);
    EXPECT_EQ(freeSpace.roots.size(), 1u);
    EXPECT_FALSE(app.state().jobRunning);
    Pump();
    EXPECT_FALSE(::IsWindow(window)) << "the deferred close ran once the job had returned";
}

// The modal sheet, as the interactive program runs it: the close box during
// a job ends DoModal only after the job.
CMyPropertySheet* modalSheet = nullptr;
CMyPropertyPage4* modalPage = nullptr;
void CALLBACK StartJob(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND page = modalPage->Handle();
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    ::SendDlgItemMessageA(page, IDC_DRIVE_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_SHRED_NOW, BN_CLICKED), 0);
}

void CALLBACK ShowDrivePage(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    modalSheet->SetActivePage(CMyPropertySheet::kDrivePage);
    ::SetTimer(nullptr, 0, 50, &StartJob);
}

TEST_F(MainWindowTest, ModalSheetEndsAfterTheJobThatTheCloseBoxInterrupted) {
    auto sheet = MakeSheet();
    modalSheet = sheet.get();
    modalPage = drivePage;
    bool stillOpen = false;
    freeSpace.during = [&] {
        ::SendMessageA(modalSheet->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        stillOpen = modalSheet->Handle() != nullptr && ::IsWindow(modalSheet->Handle());
    };
    // The drive page is made when shown; the timer runs inside the sheet's loop.
    ::SetTimer(nullptr, 0, 100, &ShowDrivePage);
    sheet->DoModal(nullptr);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(freeSpace.roots, (std::vector<std::string>{"E:\\"}));
    EXPECT_EQ(sheet->Handle(), nullptr);
}

// Every tab but the About page's follows its key; 9607 would be the About tab's.
TEST_F(MainWindowTest, KeysFromNinetySixHundredNameTheFirstSevenTabsAndNeverTheAboutTab) {
    std::ofstream pack(folder / "Lang\\AllTabs.ini");
    pack << "[Korvex Language Pack]\n";
    for (int i = 0; i <= 7; ++i) pack << 9600 + i << "=Tab " << i << "\n";
    pack.close();
    app.texts() = LanguagePack(folder.path(), "AllTabs");
    auto sheet = MakeSheet();
    ASSERT_TRUE(sheet->Create(nullptr, true));
    HWND tab = sheet->TabControl();
    ASSERT_EQ(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 8);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(TabText(tab, i), "Tab " + std::to_string(i)) << "tab " << i;
    EXPECT_EQ(TabText(tab, 7), "About");
    EXPECT_EQ(WindowText(sheet->Handle()), "Vantrel") << "no 9610 in this pack";
}

// The shipped packs, staged on the test drive beside the tests.
class ShippedLanguageTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        language_ = app.settings().Read(setting::kLanguage);
        ::DeleteFileA((folder / "Lang\\Test.ini").c_str());
        const std::string shipped = TestDriveRoot() + "ShippedLang\\German.ini";
        ASSERT_TRUE(::CopyFileA(shipped.c_str(), (folder / "Lang\\German.ini").c_str(), FALSE))
            << shipped << " is staged by the test run";
    }
    void TearDown() override {
        app.settings().Write(setting::kLanguage, language_);
        MainWindowTest::TearDown();
    }
    std::string language_;
};

// The German texts as the pack holds them (Windows-1252).
const char kGermanShredNow[] = "&Shreddern";
const char kGermanNoFiles[] =
    "Es gibt keine Dateien, die geshreddert werden k\xf6nnen. Bitte geben Sie zuerst die Dateien an.";

// The whole program in German: the window, a page's message box and the
// progress dialog of a job.
TEST_F(ShippedLanguageTest, TheWindowItsMessageBoxesAndTheProgressDialogSpeakGerman) {
    app.texts() = LanguagePack(folder.path(), "German");
    auto sheet = MakeSheet();
    ASSERT_TRUE(sheet->Create(nullptr, true));
    HWND window = sheet->Handle();
    HWND tab = sheet->TabControl();
    const char* captions[8] = {"Shredder-Optionen", "Dateien shreddern", "Ordner shreddern",
                               "Laufwerk shreddern", "Papierkorb shreddern", "Zeitplaner",
                               "Wiederherstellungspunkte shreddern", "About"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(TabText(tab, i), captions[i]) << "tab " << i;
    EXPECT_EQ(WindowText(window), "Vantrel");
    EXPECT_EQ(app.programCaption(), "Vantrel");
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDCANCEL)), "Beenden");
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDHELP)), "Hilfe");
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDOK)), "\xdc" "ber");

    sheet->SetActivePage(1);
    HWND files = sheet->Page(1).Handle();
    EXPECT_EQ(WindowText(::GetDlgItem(files, IDC_TARGETS_SHRED_NOW)), kGermanShredNow);
    win::AutoFitListCtrl list(::GetDlgItem(files, IDC_TARGETS_FILE_LIST));
    EXPECT_EQ(list.HeaderText(0), "Dateiname") << "made in German";
    {
        BoxAnswerer box("Vantrel");
        Click(files, IDC_TARGETS_SHRED_NOW);
        EXPECT_EQ(box.Text(), kGermanNoFiles);
    }

    // The dialog every job opens, as the jobs open it.
    ASSERT_TRUE(app.dialogs().OpenProgress(100));
    HWND progress = app.dialogs().ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(WindowText(progress), "Shreddern l\xe4uft.....");
    EXPECT_EQ(WindowText(::GetDlgItem(progress, IDCANCEL)), "Abbrechen");
    EXPECT_FALSE(::IsWindowEnabled(window)) << "the job's dialog holds the window";
    app.dialogs().CloseProgress();
    EXPECT_TRUE(::IsWindowEnabled(window));
}

}  // namespace
