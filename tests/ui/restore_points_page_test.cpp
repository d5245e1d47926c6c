// The Restore Points page as a real window, over points from a list the
// test builds and their folders "System Volume Information\_restore{...}\RP<n>"
// on the drive restore_points_page_drive_test.sh links in and names in
// VANTREL_RP_PAGE_DRIVE; without it these tests are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/FolderShredder.h"
#include "engine/RestorePointShredder.h"
#include "res/resource.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"
#include "scheduler/TaskScheduling.h"
#include "support/FakeTaskScheduler.h"
#include "support/PageHost.h"
#include "support/ScriptedTaskNamePrompt.h"
#include "support/RecordingSchedule.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage7.h"
#include "ui/TaskScheduleRequests.h"

namespace {

using Names = std::vector<std::string>;

struct RestorePointsPageTest : ::testing::Test {
    void SetUp() override {
        const char* drive = std::getenv("VANTREL_RP_PAGE_DRIVE");
        if (drive == nullptr || std::strlen(drive) != 1)
            GTEST_SKIP() << "the drive is linked by restore_points_page_drive_test.sh";
        root = std::string(1, drive[0]) + ":\\";
        engine.settings.WriteInt("Method", 0);
        engine.machine.driveRoots.fill("");
        engine.machine.driveRoots[static_cast<size_t>(root[0] - 'A')] = root;
        ASSERT_TRUE(::CreateDirectoryA(Volume().c_str(), nullptr));
        for (const char* own : {"\\_restore{a}", "\\_restore{b}"})
            ASSERT_TRUE(::CreateDirectoryA((Volume() + own).c_str(), nullptr));
        for (const std::string& folder : {A(3), A(4), A(5), B(4)}) {
            ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
            WriteFilled(folder + "\\change.log", 70000, 0x5a);
        }
        points = {{"Installed A", "2008-05-14 3:30:15 AM", 3, 0},
                  {"Checkpoint", "2008-05-15 1:30:15 AM", 4, 7},
                  {"Odd one", "2008-05-16 12:30:05 PM", 5, 8}};
        Open(schedule);
    }
    void TearDown() override {
        host.reset();
        current.ReleaseDispatch();
        scheduler.ReleaseDispatch();
        if (!root.empty()) RemoveTree(Volume());
    }
    void Open(ScheduleRequests& requests) {
        host.reset();
        page = std::make_unique<CMyPropertyPage7>(
            CMyPropertyPage7::Parts{engine.context, restore, points, skin, requests});
        host = std::make_unique<PageHost>(*page);
        ASSERT_TRUE(host->created());
    }
    // The program's task creation over an in-process stand-in of the component.
    void OpenWithTaskCreation() {
        scheduler.AttachDispatch(fake, false);
        tasks.SetComponent(&scheduler, &current);
        engine.settings.WriteInt("PassCount", 3);
        engine.settings.WriteInt("Folder", 0);
        engine.settings.WriteInt("Remove", 0);
        Open(requests);
    }
    static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

    std::string Volume() const { return root + "System Volume Information"; }
    std::string A(int n) const { return Volume() + "\\_restore{a}\\RP" + std::to_string(n); }
    std::string B(int n) const { return Volume() + "\\_restore{b}\\RP" + std::to_string(n); }
    Names Numbers() const { return host->Column(IDC_RP_LIST, 2); }
    std::vector<int16_t> PointNumbers() const {
        std::vector<int16_t> numbers;
        for (const RestorePointRecord& point : points) numbers.push_back(point.sequenceNumber);
        return numbers;
    }
    void RemoveRowOf(int n) {
        const Names numbers = Numbers();
        for (size_t row = 0; row < numbers.size(); ++row)
            if (numbers[row] == std::to_string(n)) host->SelectRows(IDC_RP_LIST, {static_cast<int>(row)});
        host->Click(IDC_RP_REMOVE);
    }
    const ShownMessage& LastMessage() const { return engine.ui.messages.back(); }

    std::string root;
    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    std::vector<RestorePointRecord> points;
    RestorePointShredder restore{engine.context, folders, points};
    RecordingPageSkin skin;
    RecordingSchedule schedule;
    ScriptedTaskNamePrompt prompt;
    FakeTaskScheduler* fake = new FakeTaskScheduler;
    TaskSchedulerClient scheduler;
    TaskClient current;
    TaskScheduling tasks{engine.context, folders, prompt};
    TaskScheduleRequests requests{tasks};
    std::unique_ptr<CMyPropertyPage7> page;
    std::unique_ptr<PageHost> host;
};

TEST_F(RestorePointsPageTest, ShowsEveryPointWithItsFoldersAndCaptions) {
    EXPECT_EQ(skin.skinned, std::vector<HWND>{host->page()});
    const win::AutoFitListCtrl list = host->list(IDC_RP_LIST);
    ASSERT_EQ(list.ColumnCount(), 4);
    EXPECT_EQ(list.HeaderText(0), "Description");
    EXPECT_EQ(list.HeaderText(3), "Type");
    EXPECT_NE(ListView_GetExtendedListViewStyle(list.Handle()) & LVS_EX_FULLROWSELECT, 0u);
    EXPECT_EQ(host->Column(IDC_RP_LIST, 0), (Names{"Installed A", "Checkpoint", "Odd one"}));
    EXPECT_EQ(host->Column(IDC_RP_LIST, 1)[1], "2008-05-15 1:30:15 AM");
    EXPECT_EQ(Numbers(), (Names{"3", "4", "5"}));
    EXPECT_EQ(host->Column(IDC_RP_LIST, 3), (Names{"Application Installation", "Checkpoint", "Unknown Restore Type"}));
    for (int column = 0; column < 4; ++column)
        EXPECT_GE(list.ColumnWidth(column), list.TextWidth(list.HeaderText(column)) + 15) << column;
    EXPECT_EQ(list.ColumnWidth(3), list.TextWidth("Unknown Restore Type") + 15);
    EXPECT_EQ(page->folderList(), (Names{A(3), A(4), B(4), A(5)}));
    EXPECT_EQ(host->Text(IDC_RP_REFRESH), "&Refresh List");
    EXPECT_EQ(host->Text(IDC_RP_REMOVE_ALL), "Remove &All");
}

TEST_F(RestorePointsPageTest, EveryPointShownShredsTheWholeVolumeFolder) {
    engine.ui.messageAnswers = {IDYES};
    host->Click(IDC_RP_SHRED_NOW);
    ASSERT_FALSE(engine.ui.messages.empty());
    EXPECT_EQ(engine.ui.messages[0].text,
              "Shredded Restore Points cannot be recovered! Are you sure you want proceed?");
    EXPECT_EQ(engine.ui.messages[0].caption, "WARNING!");
    EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2));
    ASSERT_EQ(engine.ui.confirms.size(), 1u);  // the 12001 question
    EXPECT_FALSE(Exists(Volume()));
    EXPECT_TRUE(Numbers().empty());
    EXPECT_TRUE(page->folderList().empty());
    EXPECT_TRUE(points.empty());
    EXPECT_FALSE(engine.ui.open);
}

TEST_F(RestorePointsPageTest, ARemovedRowLeavesItsPointsFoldersAlone) {
    RemoveRowOf(4);
    EXPECT_EQ(Numbers(), (Names{"3", "5"}));
    EXPECT_EQ(page->folderList(), (Names{A(3), A(5)}));
    EXPECT_EQ(points.size(), 3u);  // the page's view only
    engine.ui.messageAnswers = {IDYES};
    host->Click(IDC_RP_SHRED_NOW);
    EXPECT_TRUE(engine.ui.confirms.empty());
    EXPECT_FALSE(Exists(A(3)));
    EXPECT_FALSE(Exists(A(5)));
    EXPECT_EQ(ReadBytes(A(4) + "\\change.log").size(), 70000u);
    EXPECT_EQ(ReadBytes(B(4) + "\\change.log").size(), 70000u);
    EXPECT_TRUE(Numbers().empty());
    EXPECT_TRUE(page->folderList().empty());
    EXPECT_EQ(PointNumbers(), std::vector<int16_t>{4});
    EXPECT_FALSE(engine.ui.open);
    host->Click(IDC_RP_REFRESH);
    EXPECT_EQ(Numbers(), Names{"4"}) << "shredded points never come back";
}

TEST_F(RestorePointsPageTest, DecliningChangesNothing) {
    // No to the page's question, then Yes to it and No to 12001.
    engine.ui.messageAnswers = {IDNO, IDYES};
    engine.ui.confirmAnswers = {ConfirmNo};
    host->Click(IDC_RP_SHRED_NOW);
    EXPECT_TRUE(engine.ui.confirms.empty());
    host->Click(IDC_RP_SHRED_NOW);
    EXPECT_EQ(engine.ui.confirms.size(), 1u);
    EXPECT_EQ(Numbers(), (Names{"3", "4", "5"}));
    EXPECT_EQ(page->folderList(), (Names{A(3), A(4), B(4), A(5)}));
    EXPECT_EQ(PointNumbers(), (std::vector<int16_t>{3, 4, 5}));
    for (const std::string& folder : {A(3), A(4), A(5), B(4)})
        EXPECT_EQ(ReadBytes(folder + "\\change.log").size(), 70000u) << folder;
}

TEST_F(RestorePointsPageTest, RemoveAllThenShredNowAndRefreshList) {
    host->Click(IDC_RP_REMOVE);  // nothing selected
    EXPECT_EQ(LastMessage().text, "There isn't any selected Restore Points to be removed from the list.");
    EXPECT_EQ(LastMessage().flags, unsigned(MB_OK | MB_ICONERROR));
    engine.ui.messageAnswers = {IDNO};
    host->Click(IDC_RP_REMOVE_ALL);
    EXPECT_EQ(LastMessage().text, "Are you sure you want to remove all Restore Points in the list box?");
    EXPECT_EQ(Numbers().size(), 3u);
    engine.ui.messageAnswers = {IDYES};
    host->Click(IDC_RP_REMOVE_ALL);
    EXPECT_TRUE(Numbers().empty());
    EXPECT_TRUE(page->folderList().empty());

    host->Click(IDC_RP_SHRED_NOW);
    EXPECT_EQ(LastMessage().text, "There isn't any Restore Points to shred.");
    EXPECT_EQ(LastMessage().flags, unsigned(MB_OK | MB_ICONERROR));
    host->Click(IDC_RP_REMOVE_ALL);
    EXPECT_EQ(LastMessage().text, "There's not any Restore Points in the list box.");
    EXPECT_TRUE(engine.ui.confirms.empty());

    host->Click(IDC_RP_REFRESH);
    EXPECT_EQ(Numbers(), (Names{"3", "4", "5"}));
    EXPECT_EQ(page->folderList(), (Names{A(3), A(4), B(4), A(5)}));
    EXPECT_EQ(engine.ui.messages.size(), 5u);
}

TEST_F(RestorePointsPageTest, ScheduleHandsOverEveryPointOrTheFoldersShown) {
    host->Click(IDC_RP_SCHEDULE);
    ASSERT_EQ(schedule.restorePoints.size(), 1u);
    EXPECT_EQ(schedule.restorePoints[0].owner, host->page());
    EXPECT_EQ(schedule.restorePoints[0].rowsShown, 3u);  // every point: the default task
    EXPECT_EQ(schedule.restorePoints[0].pointsOfSystem, 3u);

    RemoveRowOf(3);
    host->Click(IDC_RP_SCHEDULE);
    ASSERT_EQ(schedule.restorePoints.size(), 2u);
    EXPECT_EQ(schedule.restorePoints[1].folders, (Names{A(4), B(4), A(5)}));
    EXPECT_EQ(schedule.restorePoints[1].rowsShown, 2u);
    EXPECT_EQ(Numbers(), (Names{"4", "5"}));  // the list stays

    schedule.emptyListAnswer = true;  // a pre-check gave up
    host->Click(IDC_RP_SCHEDULE);
    EXPECT_TRUE(Numbers().empty());
    EXPECT_TRUE(page->folderList().empty());
    host->Click(IDC_RP_SCHEDULE);
    EXPECT_EQ(schedule.restorePoints.size(), 3u);
    EXPECT_EQ(LastMessage().text, "There isn't any Restore Points to be scheduled.");
    EXPECT_EQ(LastMessage().flags, unsigned(MB_OK | MB_ICONERROR));
}

TEST_F(RestorePointsPageTest, EveryPointGivesTheDefaultTaskAndSomeTheirFolders) {
    OpenWithTaskCreation();
    host->Click(IDC_RP_SCHEDULE);
    EXPECT_EQ(prompt.shown, 0);
    ASSERT_EQ(fake->Count(), 1u);
    const FakeTask& daily = *fake->tasks[0];
    EXPECT_EQ(daily.name, "Vantrel-Shred Restore Points");
    EXPECT_EQ(daily.parameters, "\"/s\" \"Vantrel-Shred Restore Points\" \"/O0\" \"/T3\" \"/F1\" \"/R1\"  \"restorepoints\"");
    EXPECT_EQ(daily.triggerList->triggers.size(), 1u);
    EXPECT_EQ(daily.propertyWindows, 0);

    RemoveRowOf(3);
    prompt.typed = {"SomePoints"};
    host->Click(IDC_RP_SCHEDULE);
    const FakeTask* some = fake->Find("SomePoints");
    ASSERT_NE(some, nullptr);
    EXPECT_EQ(some->creator, "Vantrel");
    EXPECT_EQ(some->parameters, "\"/s\" \"SomePoints\" \"/O0\" \"/F0\" \"/R0\" " + Quoted(A(4)) + " " + Quoted(B(4)) +
                                    " " + Quoted(A(5)));
    EXPECT_TRUE(some->committed);
    EXPECT_EQ(some->propertyWindows, 1);
    EXPECT_EQ(Numbers(), (Names{"4", "5"}));
}

TEST_F(RestorePointsPageTest, WithoutTheComponentScheduleIsDisabledAndDoesNothing) {
    EXPECT_TRUE(::IsWindowEnabled(host->item(IDC_RP_SCHEDULE)));
    engine.machine.schedulerUnavailable = true;
    host->Activate();
    EXPECT_FALSE(::IsWindowEnabled(host->item(IDC_RP_SCHEDULE)));
    EXPECT_TRUE(::IsWindowEnabled(host->item(IDC_RP_SHRED_NOW)));
    host->Click(IDC_RP_SCHEDULE);
    EXPECT_TRUE(schedule.restorePoints.empty());
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(RestorePointsPageTest, TheEndOfTheSessionStopsARunningJob) {
    engine.state.cancelRequested = false;
    ::SendMessageA(host->page(), WM_QUERYENDSESSION, 0, 0);
    EXPECT_TRUE(engine.state.cancelRequested);
}

}  // namespace
