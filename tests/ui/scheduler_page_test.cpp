// The Scheduler page as a real window over an in-process stand-in of the
// scheduling component: which tasks it lists, that each action reaches the
// task the row shows even after the collection moved under it, and that
// other programs' tasks are never touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "engine/MachineFacts.h"
#include "res/resource.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"
#include "support/FakeTaskScheduler.h"
#include "support/PageHost.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage6.h"

namespace {

using Names = std::vector<std::string>;
const char* kGone = "The selected task is no longer in the scheduler. The list of tasks has been refreshed; nothing was done.";

struct SchedulerPageTest : ::testing::Test {
    SchedulerPageTest() { scheduler.AttachDispatch(fake, false); }

    void Open() {
        page = std::make_unique<CMyPropertyPage6>(CMyPropertyPage6::Parts{
            engine.texts, engine.caption, engine.ui, engine.machine, skin, &scheduler, &currentTask});
        page->SetLogOpener([this](HWND, const win::FsPath& path, const win::FsPath& folder) {
            opened.push_back(path.Utf8() + "|" + folder.Utf8());
        });
        host = std::make_unique<PageHost>(*page);
        ASSERT_TRUE(host->created());
    }
    Names Rows() const { return host->Column(IDC_TASK_LIST, 0); }
    void Select(int row) const { host->SelectRows(IDC_TASK_LIST, {row}); }
    // Removes a task as another program would.
    void RemoveBehindThePage(const std::string& name) {
        for (size_t i = 0; i < fake->tasks.size(); ++i)
            if (fake->tasks[i]->name == name) {
                fake->tasks[i]->Release();
                fake->tasks.erase(fake->tasks.begin() + static_cast<long>(i));
                return;
            }
    }
    Names TaskNames() const {
        Names names;
        for (FakeTask* task : fake->tasks) names.push_back(task->name);
        return names;
    }

    TestEngine engine;
    RecordingPageSkin skin;
    FakeTaskScheduler* fake = new FakeTaskScheduler;
    TaskSchedulerClient scheduler;
    TaskClient currentTask;
    std::vector<std::string> opened;
    std::unique_ptr<CMyPropertyPage6> page;
    std::unique_ptr<PageHost> host;
};

TEST_F(SchedulerPageTest, ListsOnlyThisProgramsTasksAndActsOnTheRowsTask) {
    fake->AddExisting("Backup", "Other");
    fake->AddExisting("Nightly", "Vantrel");
    fake->AddExisting("Foreign", "Other");
    fake->AddExisting("vantrel-like", "vantrel");  // the marker is compared exactly
    fake->AddExisting("Weekly", "Vantrel");
    Open();
    EXPECT_EQ(skin.skinned, std::vector<HWND>{host->page()});
    EXPECT_EQ(Rows(), (Names{"Nightly", "Weekly"}));
    EXPECT_EQ(host->Text(IDC_TASK_LIST_LABEL), "Scheduled Tasks");
    EXPECT_EQ(host->Text(IDC_TASK_PROPERTIES), "Task &Properties");
    EXPECT_EQ(host->Text(IDC_TASK_VIEW_LOG), "&View Log");
    EXPECT_EQ(host->list(IDC_TASK_LIST).HeaderText(0), "Task Name");

    Select(0);
    host->Click(IDC_TASK_DELETE);  // index 2, without a question
    EXPECT_EQ(TaskNames(), (Names{"Backup", "Foreign", "vantrel-like", "Weekly"}));
    EXPECT_EQ(Rows(), Names{"Weekly"});
    Select(0);
    host->Click(IDC_TASK_RUN_NOW);  // formerly at 5, now at 4
    host->Click(IDC_TASK_PROPERTIES);
    for (FakeTask* task : fake->tasks) {
        EXPECT_EQ(task->runs, task->name == "Weekly" ? 1 : 0) << task->name;
        EXPECT_EQ(task->propertyWindows, task->name == "Weekly" ? 1 : 0) << task->name;
    }
    EXPECT_TRUE(engine.ui.messages.empty());

    host->SelectRows(IDC_TASK_LIST, {});
    for (int button : {IDC_TASK_PROPERTIES, IDC_TASK_RUN_NOW, IDC_TASK_DELETE}) host->Click(button);
    ASSERT_EQ(engine.ui.messages.size(), 3u);
    EXPECT_EQ(engine.ui.messages[0].text, "There isn't any selected tasks. Please, Select a task first.");
    EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_OK | MB_ICONERROR));
    EXPECT_EQ(fake->Find("Weekly")->runs, 1);
    EXPECT_EQ(fake->Count(), 4u);
}

TEST_F(SchedulerPageTest, DeleteAllAsksAndRemovesOnlyTheListedTasks) {
    for (const char* name : {"A", "B", "C", "D", "E"}) fake->AddExisting(name, *name % 2 ? "Vantrel" : "Other");
    Open();
    EXPECT_EQ(Rows(), (Names{"A", "C", "E"}));
    engine.ui.messageAnswers = {IDNO};
    host->Click(IDC_TASK_DELETE_ALL);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Are you sure you want to delete all scheduled tasks?");
    EXPECT_EQ(engine.ui.messages[0].caption, "WARNING!");
    EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2));
    EXPECT_EQ(fake->Count(), 5u);
    EXPECT_EQ(Rows(), (Names{"A", "C", "E"}));

    engine.ui.messageAnswers = {IDYES};
    host->Click(IDC_TASK_DELETE_ALL);
    EXPECT_EQ(TaskNames(), (Names{"B", "D"}));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(engine.ui.messages.size(), 2u);
}

TEST_F(SchedulerPageTest, ATaskThatMovedIsFoundByNameAndOneThatWentIsNotReplaced) {
    fake->AddExisting("Other1", "Other");
    fake->AddExisting("Nightly", "Vantrel");
    fake->AddExisting("Other2", "Other");
    fake->AddExisting("Weekly", "Vantrel");
    fake->AddExisting("Monthly", "Vantrel");
    Open();
    EXPECT_EQ(Rows(), (Names{"Nightly", "Weekly", "Monthly"}));

    // Weekly moves from 4 to 3, and 4 now holds Monthly, also this program's.
    RemoveBehindThePage("Nightly");
    Select(1);
    host->Click(IDC_TASK_RUN_NOW);
    EXPECT_EQ(fake->Find("Weekly")->runs, 1);
    EXPECT_EQ(fake->Find("Monthly")->runs, 0);
    EXPECT_TRUE(engine.ui.messages.empty());

    // The row of Nightly: its task is gone and its index holds another program's.
    Select(0);
    host->Click(IDC_TASK_RUN_NOW);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, kGone);
    EXPECT_EQ(Rows(), (Names{"Weekly", "Monthly"}));
    for (FakeTask* task : fake->tasks) EXPECT_EQ(task->runs, task->name == "Weekly" ? 1 : 0) << task->name;

    // Gone before Properties and Delete Task too: nothing else is opened or removed.
    RemoveBehindThePage("Monthly");
    Select(1);
    host->Click(IDC_TASK_PROPERTIES);
    Select(1);
    RemoveBehindThePage("Weekly");
    fake->AddExisting("Weekly2", "Vantrel");
    host->Click(IDC_TASK_DELETE);
    EXPECT_EQ(engine.ui.messages.size(), 3u);
    EXPECT_EQ(TaskNames(), (Names{"Other1", "Other2", "Weekly2"}));
    EXPECT_EQ(fake->Find("Weekly2")->propertyWindows, 0);

    // Delete All removes what is left of the list and says that some had gone.
    fake->AddExisting("Daily", "Vantrel");
    host->Activate();
    EXPECT_EQ(Rows(), (Names{"Weekly2", "Daily"}));
    RemoveBehindThePage("Weekly2");
    fake->AddExisting("Weekly2", "Other");  // same name, another program's
    engine.ui.messageAnswers = {IDYES};
    host->Click(IDC_TASK_DELETE_ALL);
    EXPECT_EQ(TaskNames(), (Names{"Other1", "Other2", "Weekly2"}));
    ASSERT_EQ(engine.ui.messages.size(), 5u);
    EXPECT_EQ(engine.ui.messages[4].text,
              "Some of the listed tasks were no longer in the scheduler. The others were deleted, and the list of "
              "tasks has been refreshed.");
    EXPECT_TRUE(Rows().empty());
}

TEST_F(SchedulerPageTest, TheColumnNeverNarrowsBelowTheHeaderOrTheWidestNameSeen) {
    Open();
    const win::AutoFitListCtrl list = host->list(IDC_TASK_LIST);
    const int header = list.TextWidth("Task Name");
    EXPECT_GE(list.ColumnWidth(0), header + 15);
    const std::string longName(120, 'W');
    fake->AddExisting(longName, "Vantrel");
    fake->AddExisting("x", "Vantrel");
    host->Activate();
    const int widest = list.TextWidth(longName);
    EXPECT_GT(widest, header);
    EXPECT_EQ(list.ColumnWidth(0), widest + 15);
    RemoveBehindThePage(longName);
    host->Activate();
    EXPECT_EQ(Rows(), Names{"x"});
    EXPECT_EQ(list.ColumnWidth(0), widest + 15);
    Select(0);
    host->Click(IDC_TASK_DELETE);
    EXPECT_EQ(list.ColumnWidth(0), widest + 15);
}

TEST_F(SchedulerPageTest, WithoutTheComponentThePageIsDisabledAndTouchesNothing) {
    fake->AddExisting("Nightly", "Vantrel");
    engine.machine.schedulerUnavailable = true;
    Open();
    EXPECT_FALSE(::IsWindowEnabled(host->page()));
    EXPECT_FALSE(::IsWindowEnabled(host->item(IDC_TASK_DELETE_ALL)));
    EXPECT_TRUE(Rows().empty());
    engine.ui.messageAnswers = {IDYES};
    host->Click(IDC_TASK_DELETE_ALL);
    EXPECT_EQ(fake->refreshes, 0);
    EXPECT_EQ(fake->Count(), 1u);
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST(SchedulerPageUnbound, AClientBoundToNothingIsNeverUsed) {
    TestEngine engine;
    RecordingPageSkin skin;
    TaskSchedulerClient scheduler;  // binding failed
    TaskClient currentTask;
    CMyPropertyPage6 page({engine.texts, engine.caption, engine.ui, engine.machine, skin, &scheduler, &currentTask});
    PageHost host(page);
    ASSERT_TRUE(host.created());
    EXPECT_FALSE(::IsWindowEnabled(host.page()));
    host.Click(IDC_TASK_RUN_NOW);
    host.Click(IDC_TASK_DELETE_ALL);
    EXPECT_TRUE(engine.ui.messages.empty());

    CMyPropertyPage6 none({engine.texts, engine.caption, engine.ui, engine.machine, skin, nullptr, nullptr});
    PageHost other(none);
    ASSERT_TRUE(other.created());
    EXPECT_FALSE(::IsWindowEnabled(other.page()));
}

TEST_F(SchedulerPageTest, ViewLogOpensTheLogWhereStartUpPutItByItsFullPath) {
    TestFolder folder;
    engine.machine.programFolder = folder.path();
    // Not beside the program: the log lives where start-up found room for it.
    const std::string logFolder = folder.MakeDir("per-user");
    engine.machine.logFile = win::FsPath::FromUtf8(logFolder + "\\log.txt");
    folder.MakeFile("log.txt", 10);  // an older log beside the program is not the one
    Open();
    host->Click(IDC_TASK_VIEW_LOG);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Log file doesn't exist.");
    EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(opened.empty());

    ::CreateDirectoryA((logFolder + "\\log.txt").c_str(), nullptr);  // a folder of that name is no log
    host->Click(IDC_TASK_VIEW_LOG);
    EXPECT_EQ(engine.ui.messages.size(), 2u);
    RemoveTree(logFolder + "\\log.txt");
    WriteFilled(logFolder + "\\log.txt", 10, 'x');
    host->Click(IDC_TASK_VIEW_LOG);
    EXPECT_EQ(opened, Names{logFolder + "\\log.txt|" + logFolder});
    EXPECT_EQ(engine.ui.messages.size(), 2u);
}

}  // namespace
