// Targets on a drive that reports no seek penalty: one notice per job, none
// once its box was ticked, a single note in a silent run; nothing for a hard
// disk. The drives' answers are scripted: Wine's drives tell nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/FolderShredder.h"
#include "engine/Settings.h"
#include "engine/ShredJob.h"
#include "engine/SolidStateDrives.h"
#include "support/ScriptedDrives.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

class SolidStateDrivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.context.seekPenalty = &drives;
        engine.context.trim = &drives;
        engine.settings.Write(setting::kSolidStateAlertDisabled, 0);
        drives.solidState = {static_cast<wchar_t>(TestDriveRoot()[0])};
    }
    void TearDown() override { engine.settings.Write(setting::kSolidStateAlertDisabled, 0); }

    // Two files on the test drive, shredded by one job.
    JobOutcome ShredTwoFiles(bool silent = false) {
        JobRequest request;
        request.silent = silent;
        for (const char* name : {"a.bin", "b.bin"}) {
            WriteFilled(folder / name, 1000, 0x42);
            request.targets.push_back(folder / name);
        }
        return job.Run(request);
    }
    long Notices() const {
        return std::count(engine.ui.notices.begin(), engine.ui.notices.end(), NoticeSolidStateDrive);
    }

    TestEngine engine;
    ScriptedDrives drives;
    FolderShredder folders{engine.context, engine.shredder};
    ShredJob job{engine.context, folders};
    TestFolder folder;
};

TEST_F(SolidStateDrivesTest, OneNoticePerJobUntilItsBoxIsTicked) {
    EXPECT_TRUE(ShredTwoFiles().AllDone());
    EXPECT_EQ(Notices(), 1) << "two targets on the drive, one notice";
    EXPECT_FALSE(Exists(folder / "a.bin") || Exists(folder / "b.bin"));

    engine.ui.noticeAnswers = {NoticeAnswer{true, true}};
    EXPECT_TRUE(ShredTwoFiles().AllDone());
    EXPECT_EQ(Notices(), 2) << "the next job tells again";
    EXPECT_EQ(engine.settings.Read(setting::kSolidStateAlertDisabled), 1);

    EXPECT_TRUE(ShredTwoFiles().AllDone());
    EXPECT_EQ(Notices(), 2) << "never again once ticked";
    EXPECT_TRUE(engine.log.notes.empty());
}

TEST_F(SolidStateDrivesTest, ASilentRunNotesItOnceAndStillEndsInSuccess) {
    EXPECT_TRUE(ShredTwoFiles(true).AllDone());
    EXPECT_TRUE(ShredTwoFiles(true).AllDone());
    EXPECT_EQ(Notices(), 0) << "no window in a silent run";
    ASSERT_EQ(engine.log.notes.size(), 1u) << "once per run";
    EXPECT_EQ(engine.log.notes[0].rfind("Drive " + TestDriveRoot().substr(0, 2) + " is a solid-state", 0), 0u);
    // What makes the exit step write "Success": nothing written, nothing given up.
    EXPECT_TRUE(engine.log.logText().empty());
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
}

TEST_F(SolidStateDrivesTest, HardDisksAndNetworkPathsAreNeverToldOrTrimmed) {
    drives.solidState.clear();
    EXPECT_TRUE(ShredTwoFiles().AllDone());
    TrimShreddedFreeSpace(engine.context, TestDriveRoot());
    EXPECT_EQ(Notices(), 0);
    EXPECT_TRUE(drives.trimmed.empty());

    drives.asked.clear();
    TellOfSolidStateDrive(engine.context, win::FsPath(L"\\\\server\\share\\a.bin"));
    TellOfSolidStateDrive(engine.context, win::FsPath(L"\\\\?\\UNC\\server\\share\\a.bin"));
    EXPECT_TRUE(drives.asked.empty()) << "a network path has no drive to ask";
}

}  // namespace
