// What a job gives up is counted and, in a silent run, logged: a file that
// another program appends to while it is shredded, a question answered No,
// a cancelled run.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "app/CommandLineJob.h"
#include "engine/FolderShredder.h"
#include "engine/ShredJob.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

void Append(const std::string& path, size_t size, uint8_t value) {
    win::UniqueHandle file(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    const std::vector<uint8_t> bytes(size, value);
    DWORD done = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(size), &done, nullptr));
}

class RunOutcomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.state.job.algorithm = 0;  // one pass of zeros
        engine.state.runMode = true;
        engine.state.job.algorithm = 0;
    }

    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    TestFolder folder;
};

TEST_F(RunOutcomeTest, WhatIsAppendedDuringThePassesIsOverwrittenToo) {
    const std::string path = folder / "growing.log";
    WriteFilled(path, 100000, 0x42);
    std::vector<uint8_t> lastSeen;
    engine.ui.onPump = [&] {
        if (engine.ui.pumps == 1) Append(path, 70000, 0x55);
        lastSeen = ReadBytes(path);
    };
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_FALSE(Exists(path));
    ASSERT_EQ(lastSeen.size(), 170000u) << "the last block written covered the new length";
    EXPECT_TRUE(std::all_of(lastSeen.begin(), lastSeen.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(engine.log.records.empty());
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
}

TEST_F(RunOutcomeTest, AFileThatKeepsGrowingIsReportedAndKept) {
    const std::string path = folder / "endless.log";
    WriteFilled(path, 1000, 0x42);
    engine.ui.onPump = [&] { Append(path, 1000, 0x55); };
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), 0);
    EXPECT_TRUE(Exists(path)) << "not shredded, so not deleted either";
    EXPECT_EQ(engine.log.records,
              std::vector<std::string>{"Another program kept adding to\n" + path +
                                       "\nwhile it was shredded. What it added last is not overwritten; the file "
                                       "keeps its name."});
    EXPECT_EQ(engine.state.itemsNotDone, 1u);
}

TEST_F(RunOutcomeTest, ASubfolderAnsweredNoOrCancelIsLogged) {
    const std::string tree = folder.MakeDir("tree");
    const std::string sub = folder.MakeDir("tree\\sub");
    folder.MakeFile("tree\\sub\\a.txt", 100);
    engine.state.job.folder = 1;  // "/F1" asks even in a silent run
    engine.state.job.remove = 2;
    engine.ui.confirmAnswers = {ConfirmNo};
    EXPECT_EQ(folders.ShredPath(tree), 0);
    EXPECT_TRUE(Exists(sub + "\\a.txt"));
    const std::string declined = "Left alone, as its question was answered No or Cancel:\n" + sub;
    EXPECT_EQ(engine.log.records, std::vector<std::string>{declined});
    EXPECT_EQ(engine.state.itemsNotDone, 1u);

    // Cancel stops the walk without cancelling the run: it is logged as well.
    engine.ui.confirmAnswers = {ConfirmCancel};
    EXPECT_EQ(folders.ShredPath(tree), 1);
    EXPECT_EQ(engine.log.records, (std::vector<std::string>{declined, declined}));
    EXPECT_EQ(engine.state.itemsNotDone, 2u);
}

TEST_F(RunOutcomeTest, ACancelledRunSaysSoAndEveryGoodRunCountsNothing) {
    const std::string first = folder.MakeFile("first.txt", 200000);
    const std::string second = folder.MakeFile("second.txt", 100);
    ShredJob road(engine.context, folders);
    CommandLineJob job(engine.context, road);
    job.RunCommandLineJob({second}, 0);
    EXPECT_FALSE(Exists(second));
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
    EXPECT_TRUE(engine.log.records.empty());

    const std::string third = folder.MakeFile("third.txt", 100);
    engine.ui.cancelAtPump = engine.ui.pumps + 1;
    job.RunCommandLineJob({first, third}, 0);
    EXPECT_TRUE(Exists(third)) << "the run stopped after the cancelled target";
    EXPECT_EQ(engine.log.records,
              std::vector<std::string>{"The job was cancelled before every target was shredded."});
    EXPECT_EQ(engine.state.itemsNotDone, 1u);
}

}  // namespace
