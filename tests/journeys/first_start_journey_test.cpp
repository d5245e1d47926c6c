// The very first start as a new user meets it: the wizard comes before the
// main window, its offers do their jobs on Finish, and the next start opens
// the main window without it.
#include "journeys/Journey.h"

#include <objbase.h>

#include "component/SystemTasks.h"
#include "res/resource.h"
#include "support/TestFolder.h"
#include "support/WizardDriver.h"

namespace {

// The shell's Recycle Bin under Wine: the trash folder of this test's own.
std::string TrashFolder() { return ProgramFolder() + "\\..\\xdg\\Trash"; }

void PutInTrash(const std::string& name) {
    ::CreateDirectoryA(TrashFolder().c_str(), nullptr);
    ::CreateDirectoryA((TrashFolder() + "\\files").c_str(), nullptr);
    ::CreateDirectoryA((TrashFolder() + "\\info").c_str(), nullptr);
    WriteFilled(TrashFolder() + "\\files\\" + name, 3000, 0x54);
    const std::string info = "[Trash Info]\nPath=/tmp/" + name + "\nDeletionDate=2026-12-01T10:00:00\n";
    WriteBytes(TrashFolder() + "\\info\\" + name + ".trashinfo", std::vector<uint8_t>(info.begin(), info.end()));
}

class FirstStartJourney : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        ResetSettings(true);
        ::CoInitialize(nullptr);
    }
    void TearDown() override {
        Journey::TearDown();
        {
            SystemTasks tasks;
            tasks.Delete(L"Vantrel-Shred Empty Disk Space");
        }
        ::CoUninitialize();
    }
};

TEST_F(FirstStartJourney, TheWizardComesFirstDoesItsOffersAndNeverComesBack) {
    PutInTrash("old letter.txt");
    program = std::make_unique<RunningProgram>();
    ASSERT_TRUE(program->started());
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Wait()) << "no wizard on the first start";
    EXPECT_EQ(program->WaitForMainWindow(0), nullptr) << "the main window came before the wizard";

    // Empty disk space scheduled, no restore points (there are none), the bin shredded.
    ASSERT_TRUE(wizard.Tick(IDC_WIZARD_SCHEDULE_FREE_SPACE));
    ASSERT_TRUE(wizard.NextTo(IDC_WIZARD_POINT_LIST));
    ASSERT_TRUE(wizard.NextTo(IDC_WIZARD_SHRED_BIN)) << "no Recycle Bin offer with an item in the bin";
    ASSERT_TRUE(wizard.Tick(IDC_WIZARD_SHRED_BIN));
    wizard.Press(IDC_WIZARD_FINISH);
    // The task is announced before it is made.
    HWND notice = program->WaitForDialogOtherThan(wizard.wizard);
    ASSERT_NE(notice, nullptr) << "the task was not announced";
    ASSERT_TRUE(drive::ClickItem(notice, IDOK));
    AnswerBox(IDYES, "Recycle Bin");
    // A drive without a bin folder of this system's layout is reported, and
    // the job goes on with the next.
    mainWindow = drive::WaitForWindow(
        [this] {
            for (HWND box : drive::VisibleWindows(program->id()))
                if (drive::IsMessageBox(box) && BoxText(box).find("Unable to access") != std::string::npos)
                    drive::ClickItem(box, IDOK);
            return program->WaitForMainWindow(0);
        },
        60000);
    ASSERT_NE(mainWindow, nullptr) << "no main window after the wizard";
    ASSERT_TRUE(WaitForJobEnd());

    {
        SystemTasks tasks;
        ComPtr<ITask> task = tasks.Open(L"Vantrel-Shred Empty Disk Space");
        ASSERT_TRUE(task.Valid()) << "no empty disk space task in the system's scheduler";
        EXPECT_NE(SystemTasks::Text(*task.Get(), &ITask::GetParameters).find(L"emptydiskspace"), std::wstring::npos);
    }
    EXPECT_EQ(ReadSettingText("FirstRun"), "0");
    ExitProgram();

    // The next start: the main window, and no wizard.
    program = std::make_unique<RunningProgram>();
    mainWindow = program->WaitForMainWindow();
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(program->WaitForWindow("Wizard", 0), nullptr);
    ExitProgram();
}

}  // namespace
