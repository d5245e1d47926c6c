// The Recycle Bin page as a real window: the conflict notice before Shred
// Now and what its answers do, and Schedule with and without the component.
// A shell double with empty bins stands in, so a job that runs ends at once
// with "The recycle bin is currently empty.".
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/FolderShredder.h"
#include "engine/RecycleBinShredder.h"
#include "engine/Settings.h"
#include "res/resource.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"
#include "scheduler/TaskScheduling.h"
#include "support/FakeTaskScheduler.h"
#include "support/PageHost.h"
#include "support/ScriptedTaskNamePrompt.h"
#include "support/RecordingSchedule.h"
#include "support/TestEngine.h"
#include "ui/CMyPropertyPage5.h"
#include "ui/TaskScheduleRequests.h"

namespace {

const char* kEmpty = "The recycle bin is currently empty.";

class EmptyBins final : public RecycleBinShell {
public:
    RecycleBinAccess Open() override { return ++opened, RecycleBinAccess::Ready; }
    void Close() override {}
    HRESULT Query(const std::string&, RecycleBinContents& contents) override { return contents = {}, S_OK; }
    void Empty(const std::string&) override {}
    int opened = 0;
};

struct RecycleBinPageTest : ::testing::Test {
    RecycleBinPageTest() {
        engine.settings.Write(setting::kBinAlertDisabled, 0);
        engine.state.answers.attributeYesToAll = true;
    }
    ~RecycleBinPageTest() override { engine.settings.Write(setting::kBinAlertDisabled, 0); }

    // Shred Now: whether the job ran.
    bool ShredNow() {
        const int before = shell.opened;
        host.Click(IDC_BIN_SHRED_NOW);
        return shell.opened > before;
    }
    int Setting() const { return engine.settings.Read(setting::kBinAlertDisabled); }

    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    EmptyBins shell;
    RecycleBinShredder shredder{engine.context, folders, engine.shredder, shell};
    RecordingPageSkin skin;
    RecordingSchedule schedule;
    CMyPropertyPage5 page{{engine.context, shredder, skin, schedule}};
    PageHost host{page};
};

TEST_F(RecycleBinPageTest, CaptionsSkinAndTheNoticeBeforeShredding) {
    ASSERT_TRUE(host.created());
    EXPECT_EQ(skin.skinned, std::vector<HWND>{host.page()});
    EXPECT_EQ(host.Text(IDC_BIN_GROUP), "Shred &Recycle Bin");
    EXPECT_EQ(host.Text(IDC_BIN_SHRED_NOW), "Shred &Now");
    EXPECT_EQ(host.Text(IDC_BIN_SCHEDULE), "&Schedule");

    // OK without the box: shredded, and the notice comes again.
    engine.ui.noticeAnswers = {{true, false}};
    EXPECT_TRUE(ShredNow());
    EXPECT_EQ(engine.ui.notices, std::vector<NoticeKind>{NoticeRecycleBinConflict});
    EXPECT_FALSE(engine.state.answers.attributeYesToAll);
    EXPECT_EQ(engine.ui.messages.back().text, kEmpty);
    EXPECT_EQ(Setting(), 0);

    // The box ticked, then Escape: nothing shredded, the setting stays; the
    // answers of a job before never reach this one.
    engine.ui.noticeAnswers = {{false, true}};
    engine.state.answers.attributeYesToAll = true;
    const size_t shown = engine.ui.messages.size();
    EXPECT_FALSE(ShredNow());
    EXPECT_EQ(engine.ui.notices.size(), 2u);
    EXPECT_EQ(engine.ui.messages.size(), shown);
    EXPECT_FALSE(engine.state.answers.attributeYesToAll);
    EXPECT_EQ(Setting(), 0);

    // The box ticked and OK: shredded, and never asked again.
    engine.ui.noticeAnswers = {{true, true}};
    EXPECT_TRUE(ShredNow());
    EXPECT_EQ(Setting(), 1);
    EXPECT_TRUE(ShredNow());
    EXPECT_EQ(engine.ui.notices.size(), 3u);
    EXPECT_EQ(engine.ui.messages.back().text, kEmpty);
}

TEST_F(RecycleBinPageTest, TurnedOffTheNoticeIsNotShown) {
    ASSERT_TRUE(host.created());
    engine.settings.Write(setting::kBinAlertDisabled, 1);
    EXPECT_TRUE(ShredNow());
    EXPECT_TRUE(engine.ui.notices.empty());
}

TEST_F(RecycleBinPageTest, ScheduleAsksForATaskOnlyWithTheComponent) {
    ASSERT_TRUE(host.created());
    EXPECT_TRUE(::IsWindowEnabled(host.item(IDC_BIN_SCHEDULE)));
    host.Click(IDC_BIN_SCHEDULE);
    EXPECT_EQ(schedule.recycleBinOwners, std::vector<HWND>{host.page()});
    EXPECT_EQ(shell.opened, 0);

    engine.machine.schedulerUnavailable = true;
    host.Activate();
    EXPECT_FALSE(::IsWindowEnabled(host.item(IDC_BIN_SCHEDULE)));
    host.Click(IDC_BIN_SCHEDULE);
    EXPECT_EQ(schedule.recycleBinOwners.size(), 1u);
    EXPECT_TRUE(::IsWindowEnabled(host.item(IDC_BIN_SHRED_NOW)));
}

TEST(RecycleBinPageTaskTest, TheScheduledTaskCarriesFourQuotedArguments) {
    TestEngine engine;
    engine.settings = SettingsStore("software\\Korvex\\VantrelRecycleBinPageTest");
    engine.settings.WriteInt("Method", 2);
    FolderShredder folders{engine.context, engine.shredder};
    EmptyBins shell;
    RecycleBinShredder shredder{engine.context, folders, engine.shredder, shell};
    ScriptedTaskNamePrompt prompt;
    FakeTaskScheduler* fake = new FakeTaskScheduler;
    fake->AddExisting("Daily", "Other");  // the name is taken: the dialog asks again
    TaskSchedulerClient scheduler;
    scheduler.AttachDispatch(fake, false);
    TaskClient current;
    TaskScheduling tasks{engine.context, folders, prompt};
    tasks.SetComponent(&scheduler, &current);
    TaskScheduleRequests requests{tasks};
    RecordingPageSkin skin;
    {
        CMyPropertyPage5 page{{engine.context, shredder, skin, requests}};
        PageHost host{page};
        ASSERT_TRUE(host.created());
        prompt.typed = {"Daily", "Weekly"};
        host.Click(IDC_BIN_SCHEDULE);
        prompt.typed = {};  // cancelled: nothing made
        host.Click(IDC_BIN_SCHEDULE);
    }
    ASSERT_EQ(fake->Count(), 2u);
    const FakeTask& task = *fake->tasks[1];
    EXPECT_EQ(task.name, "Weekly");
    EXPECT_EQ(task.parameters, "\"/s\" \"Weekly\" \"/O2\" \"recycle\"");
    EXPECT_EQ(task.creator, "Vantrel");
    EXPECT_TRUE(task.committed);
    EXPECT_EQ(task.propertyWindows, 1);
    EXPECT_EQ(shell.opened, 0);
    current.ReleaseDispatch();
    scheduler.ReleaseDispatch();
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "software\\Korvex\\VantrelRecycleBinPageTest");
}

}  // namespace
