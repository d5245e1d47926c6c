// Scheduling as a user works it: a task made from the Recycle Bin page, and
// the Scheduler page over the system's real scheduler, beside another
// program's task that it must never list, run or remove.
#include "journeys/Journey.h"

#include <objbase.h>

#include "component/SystemTasks.h"
#include "res/resource.h"
#include "support/TestFolder.h"
#include "win/WideText.h"

namespace {

constexpr int kOptionsTab = 0;
constexpr int kFilesTab = 1;
constexpr int kRecycleBinTab = 4;
constexpr int kSchedulerTab = 5;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class SchedulingJourney : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        ::CoInitialize(nullptr);
        tasks = std::make_unique<SystemTasks>();
        ASSERT_TRUE(tasks->valid());
    }
    void TearDown() override {
        Journey::TearDown();
        for (const std::wstring& file : tasks->Names()) tasks->Delete(file.substr(0, file.size() - 4));
        tasks.reset();
        ::CoUninitialize();
    }

    // A task of this program as the pages make them: its creator, the
    // program and a silent command line.
    void MakeOwnTask(const std::wstring& name, const std::wstring& parameters) {
        IUnknown* raw = nullptr;
        ASSERT_HRESULT_SUCCEEDED(tasks->scheduler().NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask, &raw));
        ComPtr<ITask> task(static_cast<ITask*>(raw));
        task.Get()->SetApplicationName(Wide(ProgramFolder() + "\\Vantrel.exe").c_str());
        task.Get()->SetParameters(parameters.c_str());
        task.Get()->SetWorkingDirectory(Wide(ProgramFolder()).c_str());
        task.Get()->SetCreator(L"Vantrel");
        IPersistFile* file = nullptr;
        ASSERT_HRESULT_SUCCEEDED(task.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
        ComPtr<IPersistFile> owned(file);
        ASSERT_HRESULT_SUCCEEDED(owned.Get()->Save(nullptr, TRUE));
    }

    bool HasTask(const std::wstring& name) const { return tasks->Has(name); }

    std::unique_ptr<SystemTasks> tasks;
};

TEST_F(SchedulingJourney, ScheduleOnTheRecycleBinPageMakesASystemTaskWithThePagesCommandLine) {
    StartProgram();
    HWND page = ShowTab(kRecycleBinTab);
    ASSERT_TRUE(drive::ClickItem(page, IDC_BIN_SCHEDULE));
    HWND nameDialog = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(nameDialog, nullptr) << "Schedule asked for no name";
    ASSERT_TRUE(drive::Type(::GetDlgItem(nameDialog, IDC_TASK_NAME_EDIT), "Weekly bin"));
    ASSERT_TRUE(drive::ClickItem(nameDialog, IDOK));
    HWND schedule = program->WaitForWindow("Weekly bin - Schedule");
    ASSERT_NE(schedule, nullptr) << "the component's schedule window did not open";
    ASSERT_TRUE(drive::ClickItem(schedule, IDOK));
    ASSERT_TRUE(WaitForJobEnd());

    ComPtr<ITask> task = tasks->Open(L"Weekly bin");
    ASSERT_TRUE(task.Valid()) << "no task in the system's scheduler";
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetParameters), L"\"/s\" \"Weekly bin\" \"/O0\" \"recycle\"");
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetCreator), L"Vantrel");
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetApplicationName), Wide(ProgramFolder() + "\\Vantrel.exe"));
    ExitProgram();
}

// A file named in Greek and Japanese, scheduled from the Shred Files page
// with Verify ticked on the Options page: the task keeps its path whole and
// carries the switch, and the real component's run shreds it.
TEST_F(SchedulingJourney, AFileOfAnyScriptScheduledFromItsPageIsShreddedByTheTasksRun) {
    TestFolder folder;
    const std::string target = folder.MakeFile("έκθεση 報告書.txt", 30000);
    const std::string bystander = folder.MakeFile("keep.txt", 500);
    WriteSetting("Verify", DWORD{0});
    StartProgram();
    HWND options = ShowTab(kOptionsTab);
    ASSERT_TRUE(drive::ClickItem(options, IDC_OPTIONS_VERIFY));
    ASSERT_TRUE(drive::WaitUntil([] { return ReadSettingDword("Verify") == 1; }, 5000)) << "Verify was not stored";
    HWND page = ShowTab(kFilesTab);
    BrowseFiles(page, folder.path(), "\"έκθεση 報告書.txt\"");
    ASSERT_EQ(drive::ListColumn(::GetDlgItem(page, IDC_TARGETS_FILE_LIST)), std::vector<std::string>{target});
    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SCHEDULE));
    HWND nameDialog = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(nameDialog, nullptr) << "Schedule asked for no name";
    ASSERT_TRUE(drive::Type(::GetDlgItem(nameDialog, IDC_TASK_NAME_EDIT), "Scripts"));
    ASSERT_TRUE(drive::ClickItem(nameDialog, IDOK));
    HWND schedule = program->WaitForWindow("Scripts - Schedule");
    ASSERT_NE(schedule, nullptr) << "the component's schedule window did not open";
    ASSERT_TRUE(drive::ClickItem(schedule, IDOK));
    ASSERT_TRUE(WaitForJobEnd());

    ComPtr<ITask> task = tasks->Open(L"Scripts");
    ASSERT_TRUE(task.Valid()) << "no task in the system's scheduler";
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetParameters),
              L"\"/s\" \"Scripts\" \"/O0\" \"/V1\" \"" + win::FromUtf8(target) + L"\"");

    page = ShowTab(kSchedulerTab);
    HWND list = ::GetDlgItem(page, IDC_TASK_LIST);
    ASSERT_EQ(drive::ListColumn(list), std::vector<std::string>{"Scripts"});
    ASSERT_TRUE(drive::SelectListRow(list, 0));
    ASSERT_TRUE(drive::ClickItem(page, IDC_TASK_RUN_NOW));
    EXPECT_TRUE(drive::WaitUntil([&] { return !Exists(target); }, 30000)) << "the task's run did not shred the file";
    EXPECT_TRUE(drive::WaitUntil([] { return ProgramLog() == "Task Name: Scripts\nSuccess\n\n"; }, 30000))
        << ProgramLog();
    EXPECT_TRUE(Exists(bystander));
    ExitProgram();
}

TEST_F(SchedulingJourney, TheSchedulerPageListsRunsAndRemovesOnlyThisProgramsTasks) {
    TestFolder folder;
    const std::string target = folder.MakeFile("nightly.txt", 30000);
    MakeOwnTask(L"Journey nightly", L"\"/s\" \"Journey nightly\" \"/O0\" \"" + Wide(target) + L"\"");
    MakeOwnTask(L"Journey weekly", L"\"/s\" \"Journey weekly\" \"/O0\" \"recycle\"");
    ASSERT_TRUE(tasks->MakeForeign(L"Backup of another program", L"Another program"));
    StartProgram();
    HWND page = ShowTab(kSchedulerTab);
    HWND list = ::GetDlgItem(page, IDC_TASK_LIST);
    ASSERT_TRUE(::IsWindowEnabled(list)) << "the Scheduler page is disabled";
    ASSERT_EQ(drive::ListColumn(list), (std::vector<std::string>{"Journey nightly", "Journey weekly"}));

    // Run Now: the task's own silent run shreds its target and logs its name.
    ASSERT_TRUE(drive::SelectListRow(list, 0));
    ASSERT_TRUE(drive::ClickItem(page, IDC_TASK_RUN_NOW));
    EXPECT_TRUE(drive::WaitUntil([&] { return !Exists(target); }, 30000)) << "Run Now did not shred the target";
    EXPECT_TRUE(drive::WaitUntil([] { return ProgramLog() == "Task Name: Journey nightly\nSuccess\n\n"; }, 30000))
        << ProgramLog();

    // View Log opens the log in the system's viewer.
    ASSERT_TRUE(drive::ClickItem(page, IDC_TASK_VIEW_LOG));
    HWND viewer = drive::WaitForWindow(
        [] {
            for (HWND window : drive::VisibleWindows())
                if (drive::WindowText(window).find("log") != std::string::npos) return window;
            return HWND{};
        },
        30000);
    ASSERT_NE(viewer, nullptr) << "View Log opened no window on log.txt";
    ::PostMessageA(viewer, WM_CLOSE, 0, 0);

    // Delete Task removes the selected one; Delete All the rest of this program's.
    ASSERT_TRUE(drive::SelectListRow(list, 1));
    ASSERT_TRUE(drive::ClickItem(page, IDC_TASK_DELETE));
    ASSERT_TRUE(drive::WaitUntil([&] { return !HasTask(L"Journey weekly"); }, 10000));
    EXPECT_EQ(drive::ListColumn(list), std::vector<std::string>{"Journey nightly"});
    ASSERT_TRUE(drive::ClickItem(page, IDC_TASK_DELETE_ALL));
    AnswerBox(IDYES);
    EXPECT_TRUE(drive::WaitUntil([&] { return !HasTask(L"Journey nightly"); }, 10000));
    EXPECT_EQ(drive::ListRowCount(list), 0);
    EXPECT_TRUE(HasTask(L"Backup of another program"));
    ExitProgram();
}

}  // namespace
