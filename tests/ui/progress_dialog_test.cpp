// The progress dialog as a real window over a stand-in main window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "engine/SystemStreamLister.h"
#include "engine/Clock.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/DialogInteraction.h"
#include "engine/FileShredder.h"
#include "engine/ProgressControl.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        algorithms.AddBuiltInAlgorithms();
        ASSERT_TRUE(buffer.Allocate());
        state.job.algorithm = 2;
        mainWindow.Reset(::CreateWindowExA(0, "STATIC", "Stand-in main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           10, 10, 300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                           nullptr));
        ASSERT_TRUE(mainWindow);
        ui.SetMainWindow(mainWindow.Get());
    }
    void TearDown() override {
        CloseProgressDialog(context);
    }

    // The dialog shows the job's state at its own pace: waited out, the
    // next repaint brings every control up to date.
    void WaitOutThePace() {
        ::Sleep(300);
        ui.Progress().Repaint();
    }
    int Bar(int id) { return static_cast<int>(::SendDlgItemMessageA(ui.ProgressWindow(), id, PBM_GETPOS, 0, 0)); }
    std::string Text(int id) {
        char buffer[512];
        ::GetDlgItemTextA(ui.ProgressWindow(), id, buffer, sizeof(buffer));
        return buffer;
    }

    AlgorithmList algorithms;
    WriteBuffer buffer;
    EngineState state;
    SettingsStore settings;
    LanguagePack texts{"T:\\no-such-folder", "English"};
    std::string caption = "Vantrel";
    RecordingLog log;
    FixedClock clock;
    MachineFacts machine;
    DialogInteraction ui{state, texts, caption};
    SystemStreamLister streams;
    EngineContext context{algorithms, buffer, state, settings, texts, caption, log, ui, clock, machine, streams};
    FileShredder shredder{context};
    win::UniqueWindow mainWindow;
    TestFolder folder;
};

TEST_F(ProgressDialogTest, OneDialogPerJobWithBothBarsMovingAndTheMainWindowDisabled) {
    state.overallRange = 1000;
    std::vector<std::string> paths;
    for (int i = 0; i < 3; ++i) {
        paths.push_back(folder / ("file" + std::to_string(i) + ".txt"));
        WriteFilled(paths.back(), 100000, 0x33);
    }
    HWND dialog = nullptr;
    for (const std::string& path : paths) {
        ASSERT_EQ(shredder.ShredFile(path, ShredFileMode::Confirm), 0);
        if (dialog == nullptr) dialog = ui.ProgressWindow();
        EXPECT_EQ(ui.ProgressWindow(), dialog) << "the dialog is reused for every item";
        WaitOutThePace();
        EXPECT_EQ(Text(IDC_PROGRESS_STATUS), path);
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_FALSE(::IsWindowEnabled(mainWindow.Get()));
    char title[100];
    ::GetWindowTextA(dialog, title, sizeof(title));
    EXPECT_STREQ(title, "Shredding.....");
    EXPECT_EQ(Text(IDCANCEL), "Cancel");
    EXPECT_EQ(Text(IDC_PROGRESS_DETAIL), "Pass 3 of 3: Write random data.");
    EXPECT_EQ(Bar(IDC_PROGRESS_ITEM), 3);
    EXPECT_EQ(Bar(IDC_PROGRESS_OVERALL), 3 * 3 * 2);  // three files, three passes of two blocks
    EXPECT_TRUE(ListNames(folder.path()).empty());

    CloseProgressDialog(context);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.Get()));
    EXPECT_EQ(state.overallRange, 0);
}

TEST_F(ProgressDialogTest, WithoutAnOverallRangeTheOverallBarStaysEmpty) {
    const std::string path = folder / "one.txt";
    WriteFilled(path, 1000, 1);
    ASSERT_EQ(shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(Bar(IDC_PROGRESS_OVERALL), 0);
}

// Esc and the close box both act as Cancel: the flag is set, Cancel is
// disabled and the main window is enabled while the job winds down.
void ExpectCancelBy(UINT message, WPARAM wParam, EngineState& state,
                    DialogInteraction& ui, HWND mainWindow) {
    ASSERT_TRUE(ui.OpenProgress(0));
    HWND dialog = ui.ProgressWindow();
    ui.Progress().ShowAndEnable();
    EXPECT_FALSE(::IsWindowEnabled(mainWindow));
    ::PostMessageA(message == WM_KEYDOWN ? ::GetDlgItem(dialog, IDCANCEL) : dialog, message, wParam, 0);
    ui.ProcessWaitingMessages();
    EXPECT_TRUE(state.cancelRequested);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDCANCEL)));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow));
    EXPECT_TRUE(::IsWindow(dialog)) << "Cancel does not close the dialog by itself";
}

TEST_F(ProgressDialogTest, EscapeActsAsCancel) {
    ExpectCancelBy(WM_KEYDOWN, VK_ESCAPE, state, ui, mainWindow.Get());
}

TEST_F(ProgressDialogTest, CloseBoxActsAsCancel) {
    ExpectCancelBy(WM_SYSCOMMAND, SC_CLOSE, state, ui, mainWindow.Get());
}

TEST_F(ProgressDialogTest, CancelClickedDuringAJobStopsItAndTheFileIsStillDeleted) {
    state.job.algorithm = 4;
    const std::string path = folder / "big.bin";
    WriteFilled(path, 300000, 0x44);
    ASSERT_TRUE(ShowProgressDialog(context));
    HWND dialog = ui.ProgressWindow();
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
    EXPECT_EQ(shredder.ShredFile(path, ShredFileMode::Confirm), 1);
    EXPECT_TRUE(state.cancelRequested);
    EXPECT_EQ(Bar(IDC_PROGRESS_ITEM), 1) << "stopped after the first block";
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.Get()));
}

}  // namespace
