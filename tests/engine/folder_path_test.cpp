// ShredPath's kinds of target, the removal of an emptied top folder and the
// byte total of a tree.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>

#include "engine/FolderShredder.h"
#include "engine/ShredJob.h"
#include "engine/FreeSpaceJob.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

class RecordingFreeSpace final : public FreeSpaceJob {
public:
    int ShredFreeSpace(const std::string& root) override {
        roots.push_back(root);
        return 1;
    }
    std::vector<std::string> roots;
};

class FolderPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.state.job.algorithm = 0;
        SetOptions(Always, Always);
    }
    void TearDown() override { SetOptions(Never, Never); }

    void SetOptions(int folderOption, int removeOption) {
        engine.state.job.folder = folderOption;
        engine.state.job.remove = removeOption;
    }
    std::string Dir(const std::string& relative) { return folder.MakeDir(relative); }
    std::string File(const std::string& relative, DWORD attributes = 0, size_t size = 100) {
        return folder.MakeFile(relative, size, attributes);
    }

    TestFolder folder;
    TestEngine engine;
    FolderShredder shredder{engine.context, engine.shredder};
};

TEST_F(FolderPathTest, AFileIsShreddedAsAConfirmedItem) {
    const std::string path = File("ro.txt", FILE_ATTRIBUTE_READONLY);
    engine.ui.confirmAnswers = {ConfirmCancel, ConfirmYes};
    EXPECT_EQ(shredder.ShredPath(path), 1);
    EXPECT_EQ(ReadBytes(path).size(), 100u);
    EXPECT_EQ(shredder.ShredPath(path), 0);
    EXPECT_FALSE(Exists(path));
}

TEST_F(FolderPathTest, AJobStartsWithFreshAnswersAndItsEmptiedTopGoesUnlessTheWalkStopped) {
    const std::string top = Dir("top");
    File("top\\ro.txt", FILE_ATTRIBUTE_READONLY);
    Dir("top\\s");
    File("top\\s\\f.txt");
    engine.state.answers.attributeYesToAll = engine.state.answers.subfolderYesToAll = true;
    engine.state.cancelRequested = true;  // left by an earlier job
    JobRequest request;
    request.targets = {top + "\\"};
    request.folderOption = Always;
    request.removeOption = Always;
    ShredJob job(engine.context, shredder);
    EXPECT_TRUE(job.Run(request).AllDone());
    EXPECT_EQ(engine.ui.confirms.size(), 1u) << "the attribute warning is asked again";
    EXPECT_FALSE(Exists(top));

    const std::string stopped = Dir("stopped");
    Dir("stopped\\s");
    SetOptions(Prompt, Always);
    engine.ui.confirmAnswers = {ScriptedInteraction::kNoToAll};
    EXPECT_EQ(shredder.ShredPath(stopped), 1);
    EXPECT_TRUE(Exists(stopped + "\\s"));
}

TEST_F(FolderPathTest, NothingByThatNameOrAWildcardIsNoTarget) {
    const std::string file = File("a.txt");
    EXPECT_EQ(shredder.ShredPath(folder / "missing"), 2);
    EXPECT_EQ(shredder.ShredPath(folder / "*.txt"), 2);
    EXPECT_EQ(shredder.ShredPath(folder / "a.tx?"), 2);
    EXPECT_EQ(shredder.ShredPath(""), 2);
    EXPECT_EQ(ReadBytes(file).size(), 100u);
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(FolderPathTest, AFixedDriveRootGoesToTheFreeSpaceJobUnlessDSaysOtherwise) {
    std::string root = TestDriveRoot();
    if (root.size() != 3) GTEST_SKIP() << "the test root is no drive root";
    for (char& c : root) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Should the root ever be taken for a folder, "Never" keeps the walk out of its folders.
    SetOptions(Never, Never);
    engine.machine.driveRoots[static_cast<size_t>(root[0] - 'A')] = root;
    RecordingFreeSpace job;
    FolderShredder withJob(engine.context, engine.shredder, &job);
    std::string lower = root;
    lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));

    EXPECT_EQ(withJob.ShredPath(lower), 0);
    engine.state.job.drive = 0;
    EXPECT_EQ(withJob.ShredPath(root.substr(0, 2)), 0);
    engine.state.job.drive = 1;
    EXPECT_EQ(withJob.ShredPath(root), 0);
    EXPECT_EQ(job.roots, (std::vector<std::string>{root, root}));
    engine.state.job.drive = -1;
    EXPECT_EQ(shredder.ShredPath(root), 0) << "no free-space job set";
    const std::string unlisted = root[0] == 'Q' ? "R:\\" : "Q:\\";
    EXPECT_EQ(withJob.ShredPath(unlisted), 2);
    EXPECT_EQ(job.roots.size(), 2u);
    EXPECT_EQ(engine.ui.progressOpened, 0) << "nothing was shredded";
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(FolderPathTest, RemoveFolderIfEmptyTakesOnlyAnEmptyFolderAndReportsAFailure) {
    SetOptions(Never, Never);
    const std::string empty = Dir("empty");
    const std::string withFile = Dir("withFile");
    File("withFile\\f.txt");
    const std::string withFolder = Dir("withFolder");
    Dir("withFolder\\s");
    for (const std::string& path : {empty, withFile, withFolder, folder / "missing"})
        shredder.RemoveFolderIfEmpty(path);
    EXPECT_FALSE(Exists(empty));
    EXPECT_TRUE(Exists(withFile + "\\f.txt"));
    EXPECT_TRUE(Exists(withFolder + "\\s"));
    EXPECT_TRUE(engine.ui.messages.empty());

    const std::string held = Dir("held");
    win::UniqueHandle holder(::CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(holder);
    const std::string report = "Unable to remove folder:\n" + held + "\n\nError code: 13 (Permission denied).";
    shredder.RemoveFolderIfEmpty(held);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, report);
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    engine.state.runMode = true;
    shredder.RemoveFolderIfEmpty(held);
    EXPECT_EQ(engine.log.records, std::vector<std::string>{report});
}

TEST_F(FolderPathTest, FolderSizeAddsEveryFileBelowWhateverTheOptionsOrACancel) {
    SetOptions(Never, Never);
    File("a.bin", 0, 10);
    Dir("s");
    File("s\\b.bin", FILE_ATTRIBUTE_HIDDEN, 200);
    Dir("s\\t");
    File("s\\t\\c.bin", 0, 3000);
    engine.state.cancelRequested = true;
    EXPECT_EQ(FolderShredder::GetFolderSize(folder.path()), 3210u);
    EXPECT_EQ(FolderShredder::GetFolderSize(folder / "missing"), 0u);
}

TEST_F(FolderPathTest, FolderSizeCountsFilesOfTwoGiBAndMoreWithAllTheirBits) {
    // Sparse on the test drive's file system: no disk space is used.
    const auto makeSparse = [&](const std::string& path, LONGLONG size) {
        win::UniqueHandle file(
            ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = size;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.Get()));
    };
    Dir("s");
    makeSparse(folder / "three.bin", 3LL << 30);       // the low word's top bit set
    makeSparse(folder / "s\\five.bin", (5LL << 30) + 3);  // a high word
    EXPECT_EQ(FolderShredder::GetFolderSize(folder.path()), (8ULL << 30) + 3);
}

}  // namespace
