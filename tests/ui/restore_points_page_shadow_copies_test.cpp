// The Restore Points page where restore points are shadow copies (Vista and
// later): no folders are looked for, Shred Now removes the points shown
// through the system (a recording double) and the page forgets them,
// Schedule takes only every point.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "engine/FolderShredder.h"
#include "engine/RestorePointShredder.h"
#include "engine/ShadowCopyRestorePoints.h"
#include "res/resource.h"
#include "support/PageHost.h"
#include "support/RecordingRestorePointRemoval.h"
#include "support/RecordingSchedule.h"
#include "support/TestEngine.h"
#include "ui/CMyPropertyPage7.h"

namespace {

using Names = std::vector<std::string>;

struct RestorePointsPageShadowCopiesTest : ::testing::Test {
    void SetUp() override {
        engine.machine.isVistaOrLater = true;
        engine.machine.driveRoots.fill("");
        engine.machine.driveRoots['M' - 'A'] = "M:\\";
        points = {{"Installed A", "2008-05-14 3:30:15 AM", 3, 0},
                  {"Checkpoint", "2008-05-15 1:30:15 AM", 4, 7},
                  {"Odd one", "2008-05-16 12:30:05 PM", 5, 8}};
        page = std::make_unique<CMyPropertyPage7>(
            CMyPropertyPage7::Parts{engine.context, folderRoad, points, skin, schedule, &road});
        host = std::make_unique<PageHost>(*page);
        ASSERT_TRUE(host->created());
    }
    Names Numbers() const { return host->Column(IDC_RP_LIST, 2); }
    void SelectRowOf(const std::string& number) {
        const Names numbers = Numbers();
        for (size_t row = 0; row < numbers.size(); ++row)
            if (numbers[row] == number) host->SelectRows(IDC_RP_LIST, {static_cast<int>(row)});
    }
    void ShredNow() {
        engine.ui.messageAnswers = {IDYES};
        host->Click(IDC_RP_SHRED_NOW);
    }
    std::string LastMessage() const { return engine.ui.messages.back().text; }

    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    std::vector<RestorePointRecord> points;
    RestorePointShredder folderRoad{engine.context, folders, points};
    RecordingRemover remover;
    RecordingFreeSpace freeSpace;
    ShadowCopyRestorePoints road{engine.context, remover, freeSpace, points};
    RecordingPageSkin skin;
    RecordingSchedule schedule;
    std::unique_ptr<CMyPropertyPage7> page;
    std::unique_ptr<PageHost> host;
};

TEST_F(RestorePointsPageShadowCopiesTest, ShredNowRemovesTheShownPointsOrAllAndThePageForgetsThem) {
    EXPECT_EQ(Numbers(), (Names{"3", "4", "5"}));
    EXPECT_TRUE(page->folderList().empty());

    // Some points: no question of its own beyond the page's, only they go.
    SelectRowOf("4");
    host->Click(IDC_RP_REMOVE);
    ShredNow();
    EXPECT_EQ(remover.asked, (std::vector<uint32_t>{3, 5}));
    EXPECT_TRUE(engine.ui.confirms.empty());
    EXPECT_TRUE(Numbers().empty());
    EXPECT_EQ(freeSpace.roots, Names{"M:\\"});
    host->Click(IDC_RP_REFRESH);
    EXPECT_EQ(Numbers(), Names{"4"}) << "removed points never come back";

    // Every point shown: the question for all of them, then the removal.
    ShredNow();
    ASSERT_EQ(engine.ui.confirms.size(), 1u);
    EXPECT_EQ(engine.ui.confirms[0].text, engine.texts.Text(12001));
    EXPECT_EQ(remover.asked.back(), 4u);
    EXPECT_TRUE(Numbers().empty());
    EXPECT_TRUE(points.empty());
    EXPECT_FALSE(engine.state.jobRunning);
}

TEST_F(RestorePointsPageShadowCopiesTest, WhatTheSystemKeepsOrCannotRemoveStaysListed) {
    remover.refusals[4] = ERROR_INVALID_DATA;
    ShredNow();
    EXPECT_EQ(Numbers(), Names{"4"});
    EXPECT_EQ(engine.state.itemsNotDone, 1u);

    remover.available = false;
    engine.ui.messages.clear();
    ShredNow();
    EXPECT_EQ(LastMessage(), engine.texts.Text(15280));
    EXPECT_EQ(Numbers(), Names{"4"});
    EXPECT_EQ(points.size(), 1u);
    EXPECT_EQ(freeSpace.roots.size(), 1u) << "only after the first run, which removed points";
}

TEST_F(RestorePointsPageShadowCopiesTest, ScheduleTakesEveryPointOrNone) {
    host->Click(IDC_RP_SCHEDULE);
    ASSERT_EQ(schedule.restorePoints.size(), 1u);
    EXPECT_TRUE(schedule.restorePoints[0].folders.empty());
    EXPECT_EQ(schedule.restorePoints[0].rowsShown, 3u);
    EXPECT_EQ(schedule.restorePoints[0].pointsOfSystem, 3u);

    SelectRowOf("5");
    host->Click(IDC_RP_REMOVE);
    host->Click(IDC_RP_SCHEDULE);
    EXPECT_EQ(schedule.restorePoints.size(), 1u);
    EXPECT_EQ(LastMessage(), engine.texts.Text(15283));
    EXPECT_EQ(Numbers(), (Names{"3", "4"})) << "the list stays";
}

}  // namespace
