// The Scheduler page over the real scheduling component, where it is
// registered (the component's own test prefix); skipped elsewhere. Tasks
// are listed in name order, so the names place this program's tasks at
// collection indexes 2 and 5 and another program's at 3. Each task's
// program is the command interpreter, which leaves a mark file when run.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <thread>

#include "app/SchedulerComponent.h"
#include "res/resource.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"
#include "support/PageHost.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage6.h"

namespace {

using Names = std::vector<std::string>;
const Names kMade = {"PageTestA", "PageTestB", "PageTestC", "PageTestD", "PageTestE"};

struct SchedulerPageComponentTest : ::testing::Test {
    void SetUp() override {
        ::CoInitialize(nullptr);
        if (!scheduler.CreateDispatch(kSchedulerProgId)) GTEST_SKIP() << "the component is not registered here";
        for (const std::string& name : kMade) {
            const bool mine = name == "PageTestB" || name == "PageTestE";
            TaskClient task = scheduler.Add(name);
            ASSERT_TRUE(task.IsBound()) << name;
            EXPECT_EQ(task.SetCreator(mine ? "Vantrel" : "Other"), S_OK);
            EXPECT_EQ(task.SetApplicationName("C:\\windows\\system32\\cmd.exe"), S_OK);
            EXPECT_EQ(task.SetParameters("/c echo ran>" + Mark(name)), S_OK);
            EXPECT_EQ(task.Commit(), S_OK);
        }
        ASSERT_EQ(Ours(), kMade);
    }
    void TearDown() override {
        host.reset();
        page.reset();
        currentTask.ReleaseDispatch();
        if (scheduler.IsBound())
            for (const std::string& name : kMade) RemoveByName(name);
        scheduler.ReleaseDispatch();
        ::CoUninitialize();
    }

    std::string Mark(const std::string& name) const { return folder / (name + ".txt"); }
    // This test's tasks in collection order.
    Names Ours() {
        Names names;
        scheduler.Refresh();
        for (int16_t i = 1; i <= scheduler.Count(); ++i) {
            const std::string name = scheduler.Item(i).Name();
            if (name.compare(0, 8, "PageTest") == 0) names.push_back(name);
        }
        return names;
    }
    void RemoveByName(const std::string& name) {
        scheduler.Refresh();
        for (int16_t i = 1; i <= scheduler.Count(); ++i)
            if (scheduler.Item(i).Name() == name) scheduler.Remove(i);
    }
    void Open() {
        page = std::make_unique<CMyPropertyPage6>(CMyPropertyPage6::Parts{
            engine.texts, engine.caption, engine.ui, engine.machine, skin, &scheduler, &currentTask});
        host = std::make_unique<PageHost>(*page);
        ASSERT_TRUE(host->created());
        Names listed;
        for (const std::string& row : host->Column(IDC_TASK_LIST, 0))
            if (row.compare(0, 8, "PageTest") == 0) listed.push_back(row);
        EXPECT_EQ(listed, (Names{"PageTestB", "PageTestE"}));
    }
    void SelectRowOf(const std::string& name) const {
        const Names rows = host->Column(IDC_TASK_LIST, 0);
        for (size_t row = 0; row < rows.size(); ++row)
            if (rows[row] == name) return host->SelectRows(IDC_TASK_LIST, {static_cast<int>(row)});
        ADD_FAILURE() << name << " is not listed";
    }

    TestFolder folder;
    TestEngine engine;
    RecordingPageSkin skin;
    TaskSchedulerClient scheduler;
    TaskClient currentTask;
    std::unique_ptr<CMyPropertyPage6> page;
    std::unique_ptr<PageHost> host;
};

TEST_F(SchedulerPageComponentTest, ATaskRemovedBehindThePageIsNotReplacedByAnother) {
    Open();
    SelectRowOf("PageTestB");
    RemoveByName("PageTestB");  // index 2 now holds another program's task
    host->Click(IDC_TASK_RUN_NOW);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text,
              "The selected task is no longer in the scheduler. The list of tasks has been refreshed; nothing was done.");
    EXPECT_EQ(host->Column(IDC_TASK_LIST, 0), Names{"PageTestE"});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    for (const std::string& name : kMade) EXPECT_FALSE(Exists(Mark(name))) << name;
}

}  // namespace
