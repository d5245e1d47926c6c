// Unix links inside a tree, which Wine shows as a folder marked as a reparse
// point or as a plain file. No Wine process can make them, so
// folder_links_test.sh makes one tree per test on the Linux side and names
// their folder in VANTREL_LINK_FIXTURE; without it these tests are skipped.
// Every call made through such a link acts on its target, so none may be made.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <set>

#include "engine/FolderShredder.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class FolderLinksTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* fixture = std::getenv("VANTREL_LINK_FIXTURE");
        if (fixture == nullptr || *fixture == '\0') GTEST_SKIP() << "the links are made by folder_links_test.sh";
        const std::string base = std::string(fixture) + "\\" + testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(Exists(base)) << base;
        tree = base + "\\tree";
        outside = base + "\\outside";
        engine.state.job.algorithm = 0;
        SetOptions(Always, Always);
    }
    void TearDown() override { SetOptions(Never, Never); }

    void SetOptions(int folderOption, int removeOption) {
        engine.state.job.folder = folderOption;
        engine.state.job.remove = removeOption;
    }
    void ExpectTargetsWhole() {
        EXPECT_EQ(ReadBytes(outside + "\\keep.txt"), Bytes("keep me\n"));
        EXPECT_EQ(ReadBytes(outside + "\\sub\\deep.txt").size(), 1000000u);
        EXPECT_TRUE(Exists(outside + "\\empty"));
    }
    static std::set<std::string> Names(const std::string& path) {
        const std::vector<std::string> names = ListNames(path);
        return std::set<std::string>(names.begin(), names.end());
    }

    const std::set<std::string> links = {"filelink.txt", "abslink.txt", "dirlink", "emptylink", "loop"};
    std::string tree, outside;
    TestEngine engine;
    FolderShredder shredder{engine.context, engine.shredder};
};

TEST_F(FolderLinksTest, PurgeLeavesEveryLinkAndItsTarget) {
    EXPECT_EQ(shredder.ShredFolder(tree, false, FolderWalkMode::Purge), 0);
    ExpectTargetsWhole();
    std::set<std::string> left = links;
    left.insert("sub");
    EXPECT_EQ(Names(tree), left);
    EXPECT_EQ(Names(tree + "\\sub"), std::set<std::string>{"up"});
    EXPECT_TRUE(engine.ui.messages.empty()) << "a window shows no box per link";
    EXPECT_GE(engine.state.itemsNotDone, links.size() + 1) << "each link is counted as not done";
}

TEST_F(FolderLinksTest, SilentRunLogsEachLinkItLeaves) {
    engine.state.runMode = true;
    EXPECT_EQ(shredder.ShredFolder(tree, false, FolderWalkMode::Purge), 0);
    ExpectTargetsWhole();
    std::set<std::string> logged(engine.log.records.begin(), engine.log.records.end());
    for (const std::string& name : links)
        EXPECT_EQ(logged.count("Left alone:\n" + tree + "\\" + name +
                               "\nis a link. Neither the link nor what it leads to was shredded."),
                  1u)
            << name;
    EXPECT_EQ(logged.count("Left alone:\n" + tree + "\\sub\\up\nis a link. Neither the link nor what it leads to "
                           "was shredded."),
              1u);
    EXPECT_GT(engine.state.itemsNotDone, 0u);
}

TEST_F(FolderLinksTest, InteractiveWalkLeavesThemAndReportsTheFolderThatCannotGo) {
    EXPECT_EQ(shredder.ShredFolder(tree, false, FolderWalkMode::Interactive), 0);
    shredder.RemoveFolderIfEmpty(tree);
    ExpectTargetsWhole();
    EXPECT_FALSE(Exists(tree + "\\plain.txt"));
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text,
              "Unable to remove folder:\n" + tree + "\\sub\n\nError code: 41 (Directory not empty).");
}

TEST_F(FolderLinksTest, ALinkNamedOnTheCommandLineIsNoTarget) {
    for (const std::string& name : links) {
        const std::string path = tree + "\\" + name;
        EXPECT_EQ(shredder.ShredPath(path), 0) << name;
        ASSERT_FALSE(engine.ui.messages.empty());
        EXPECT_EQ(engine.ui.messages.back().text, "Left alone:\n" + path +
                                                      "\nis a link. Neither the link nor what it leads to was shredded.");
    }
    EXPECT_EQ(engine.ui.messages.size(), links.size());
    EXPECT_EQ(engine.state.itemsNotDone, links.size());
    ExpectTargetsWhole();
    EXPECT_TRUE(Exists(tree + "\\plain.txt"));
    EXPECT_EQ(engine.ui.progressOpened, 0);
}

TEST_F(FolderLinksTest, SizeAndPreScanDoNotFollowFolderLinks) {
    // The loop would never end, and dirlink would add deep.txt's million bytes.
    const uint64_t size = FolderShredder::GetFolderSize(tree);
    EXPECT_GE(size, 30u);
    EXPECT_LT(size, 1000u);
    EXPECT_EQ(shredder.CheckTaskFolder(tree, false), 2);
    EXPECT_TRUE(engine.ui.messages.empty());
    ExpectTargetsWhole();
}

}  // namespace
