// Free-space shredding on a real NTFS drive (an image that
// ntfs_leftovers_on_image.sh mounts through ntfs-3g, with 200 small files
// deleted on it): the MFT step's progress, Cancel within it and the
// clean-up after it, its count in the log, and the tree an interrupted job
// left.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "engine/FreeSpaceShredder.h"
#include "engine/MftRecordFill.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

const char kStep[] = "Overwriting free MFT records: ";

class MftRecordFillTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* value = std::getenv("VANTREL_NTFS_ROOT");
        if (value == nullptr || *value == '\0') GTEST_SKIP() << "VANTREL_NTFS_ROOT names no NTFS image's drive";
        root = value;
        if (root.back() != '\\') root += '\\';
        ASSERT_NE(root, TestDriveRoot());
        ASSERT_TRUE(MftRecordFill::IsNtfsVolume(win::FsPath(std::wstring(root.begin(), root.end()))));
        folder = root + "SHREDTMP.$$$";
        engine.state.runMode = true;
    }
    bool InMftStep() const {
        const auto& statuses = engine.ui.progress.statuses;
        return !statuses.empty() && statuses.back().rfind(kStep, 0) == 0;
    }

    TestEngine engine;
    FreeSpaceShredder job{engine.context, engine.shredder};
    std::string root, folder;
};

TEST_F(MftRecordFillTest, CancelInTheMftStepCleansUpAndAWholeRunCountsEveryFreedRecord) {
    // What an interrupted job left goes before this job's step.
    const std::string name(MftRecordFill::kNameLength, 'q');
    for (const std::string& step : {folder, folder + "\\MFT", folder + "\\MFT\\a", folder + "\\MFT\\a\\b"})
        ASSERT_TRUE(::CreateDirectoryA(step.c_str(), nullptr)) << step;
    WriteFilled(folder + "\\MFT\\" + name, 300, 0x42);
    WriteFilled(folder + "\\MFT\\a\\b\\" + name, 300, 0x42);

    // Cancel once the step has taken a few records.
    int pumpsInStep = 0;
    engine.ui.onPump = [&] {
        if (InMftStep() && ++pumpsInStep == 20) engine.state.cancelRequested = true;
    };
    EXPECT_EQ(job.ShredFreeSpace(root), 1);
    EXPECT_EQ(engine.ui.progress.statuses.back(), "Deleting temporary files.");
    EXPECT_FALSE(engine.ui.progress.cancelEnabled) << "no Cancel during the clean-up";
    EXPECT_GE(job.mftRecordsOverwritten(), 19u);
    EXPECT_LT(job.mftRecordsOverwritten(), 200u);
    EXPECT_FALSE(Exists(folder)) << "the tree and the folder went with the cancel";
    ASSERT_EQ(engine.log.notes.size(), 1u);
    EXPECT_EQ(engine.log.notes[0].rfind(std::to_string(job.mftRecordsOverwritten()) + " free MFT records", 0), 0u);

    // A whole run takes every record the 200 files left, and more.
    engine.ui.onPump = nullptr;
    engine.state.cancelRequested = false;
    engine.ui.progress.statuses.clear();
    EXPECT_EQ(job.ShredFreeSpace(root), 0);
    const uint64_t records = job.mftRecordsOverwritten();
    EXPECT_GE(records, 200u);
    const auto& statuses = engine.ui.progress.statuses;
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses[statuses.size() - 2], kStep + std::to_string(records) + ".") << "the last count is shown";
    EXPECT_EQ(statuses.back(), "Deleting temporary files.");
    EXPECT_FALSE(Exists(folder));
    ASSERT_EQ(engine.log.notes.size(), 2u);
    EXPECT_EQ(engine.log.notes[1], std::to_string(records) + " free MFT records overwritten on drive " +
                                       root.substr(0, 2) +
                                       ", and with them what deleted small files and their names had left there.");
    EXPECT_TRUE(engine.log.records.empty()) << "a count is no failure";
}

}  // namespace
