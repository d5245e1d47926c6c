// The run that follows a command line, with the real engine and folder walk
// over real files and the scripted dialogs.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>

#include "app/CommandLineJob.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"
#include "engine/ShredJob.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

class CommandLineJobTest : public ::testing::Test {
protected:
    void SetUp() override { engine.settings.WriteInt("Method", 0); }

    void Run(const std::vector<std::string>& targets, int methodIndex = 0) {
        ShredJob road(engine.context, folders, &words);
        CommandLineJob job(engine.context, road);
        job.RunCommandLineJob(std::vector<win::FsPath>(targets.begin(), targets.end()), methodIndex);
    }

    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    TargetWordJobs words;
    TestFolder folder;
};

TEST_F(CommandLineJobTest, OneTargetIsConfirmedByItsCanonicalPathAndNoKeepsEverything) {
    const std::string path = folder / "notes.txt";
    WriteFilled(path, 500, 7);
    engine.ui.messageAnswers = {IDNO};
    Run({path});
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text,
              "WARNING: Shredded files and folders cannot be recovered.\nAre you sure you want to shred\n" + path +
                  "?");
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP));
    EXPECT_EQ(engine.ui.messages[0].caption, "Vantrel");
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(engine.ui.progressOpened, 0);
    EXPECT_TRUE(engine.log.records.empty());
}

TEST_F(CommandLineJobTest, ConfirmationNamesTheRecycleBinOrTheCount) {
    engine.ui.messageAnswers = {IDNO, IDNO};
    Run({"recycle"});
    Run({folder / "a", folder / "b"});
    ASSERT_EQ(engine.ui.messages.size(), 2u);
    EXPECT_EQ(engine.ui.messages[0].text.substr(engine.ui.messages[0].text.size() - 17), "\nthe Recycle Bin?");
    EXPECT_EQ(engine.ui.messages[1].text,
              "WARNING: Shredded files and folders cannot be recovered.\nAre you sure you want to shred these 2 "
              "items?");
}

TEST_F(CommandLineJobTest, YesShredsEveryTargetAndReportsWhatIsNoObject) {
    const std::string file = folder / "a.txt";
    const std::string tree = folder / "tree";
    WriteFilled(file, 500, 7);
    ASSERT_TRUE(::CreateDirectoryA(tree.c_str(), nullptr));
    WriteFilled(tree + "\\inner.txt", 500, 7);
    const std::string missing = folder / "missing.txt";
    engine.ui.messageAnswers = {IDYES};
    Run({file, missing, tree});
    EXPECT_FALSE(Exists(file));
    EXPECT_FALSE(Exists(tree));
    ASSERT_EQ(engine.ui.messages.size(), 2u);
    EXPECT_EQ(engine.ui.messages[1].text, "Error:\n\"" + missing + "\"\nIs not a valid file system object");
    EXPECT_EQ(engine.ui.messages[1].flags, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(engine.ui.progressClosed, 1);
}

TEST_F(CommandLineJobTest, SilentRunAsksNothingLogsAndSizesTheOverallBar) {
    engine.state.runMode = true;
    engine.state.runMethod = 2;
    const std::string first = folder / "one.bin";
    const std::string second = folder / "two.bin";
    WriteFilled(first, 100000, 1);
    WriteFilled(second, 100000, 2);
    Run({first, second, folder / "gone"});
    EXPECT_TRUE(engine.ui.messages.empty());
    EXPECT_FALSE(Exists(first));
    EXPECT_FALSE(Exists(second));
    EXPECT_EQ(engine.ui.progress.overallHigh, 3 * 4);
    EXPECT_EQ(engine.log.records, std::vector<std::string>{"Error:\n\"" + folder / "gone" +
                                                           "\"\nIs not a valid file system object"});
    EXPECT_EQ(engine.state.overallRange, 0) << "reset when the dialog closes";
}

TEST_F(CommandLineJobTest, CancelEndsTheRunAfterTheCurrentTarget) {
    engine.state.runMode = true;
    const std::string first = folder / "one.bin";
    const std::string second = folder / "two.bin";
    WriteFilled(first, 1000, 1);
    WriteFilled(second, 1000, 2);
    engine.ui.cancelAtPump = 1;
    Run({first, second});
    EXPECT_FALSE(Exists(first));
    EXPECT_TRUE(Exists(second));
}

TEST_F(CommandLineJobTest, TargetWordsAreNeverTakenForPaths) {
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.path().c_str()));
    for (const char* word : {"recycle", "restorepoints", "emptydiskspace"}) WriteFilled(folder / word, 100, 9);
    engine.state.runMode = true;
    int recycled = 0;
    words["recycle"] = [&recycled] { ++recycled; };
    Run({"recycle", "restorepoints", "emptydiskspace"});
    // The folder cannot be removed while it is the current one.
    if (!::SetCurrentDirectoryA(previous)) ::SetCurrentDirectoryA(TestDriveRoot().c_str());
    EXPECT_EQ(recycled, 1);
    for (const char* word : {"recycle", "restorepoints", "emptydiskspace"}) EXPECT_TRUE(Exists(folder / word));
    EXPECT_EQ(engine.log.records.size(), 2u) << "words without a job are reported";
}

// The range counts what the passes write: a file's partial last block is one
// more step, and huge totals are held rather than wrapped around.
TEST(JobProgressRange, CountsWrittenBlocksAndDoesNotWrapAround) {
    JobProgress progress;
    progress.AddFile(200000);
    progress.AddFile(10);
    EXPECT_EQ(progress.Range(3), 15);
    JobProgress huge;
    huge.AddBytes(1ULL << 50);
    EXPECT_EQ(huge.Range(7), INT_MAX);
    EXPECT_EQ(JobProgress().Range(1), 1);
}

}  // namespace
