// ShredFile on real files: the attribute warning, files held open by others,
// Cancel, the rename and the deletion, and the reports of each failure.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "engine/TempFileSlot.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

class ShredFileTest : public ::testing::Test {
protected:
    void SetUp() override { engine.state.job.algorithm = 0; }

    std::string MakeFile(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL, size_t size = 1000) {
        const std::string path = folder / name;
        WriteFilled(path, size, 0x42);
        ::SetFileAttributesA(path.c_str(), attributes);
        return path;
    }

    bool Untouched(const std::string& path, size_t size = 1000) {
        const auto bytes = ReadBytes(path);
        return bytes.size() == size && std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0x42; });
    }

    TestFolder folder;
    TestEngine engine;
};

TEST_F(ShredFileTest, AttributeWarningAnsweredNoOrCancelLeavesTheFileAlone) {
    const std::string path = MakeFile("ro.txt", FILE_ATTRIBUTE_READONLY);
    engine.ui.confirmAnswers = {ConfirmNo, ConfirmCancel};
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 1);
    ASSERT_EQ(engine.ui.confirms.size(), 2u);
    EXPECT_EQ(engine.ui.confirms[0].style, 3);
    EXPECT_EQ(engine.ui.confirms[0].caption, "Vantrel");
    EXPECT_EQ(engine.ui.confirms[0].text, "Warning\n" + path +
                                              "\nis marked with the System, Hidden,\nand/or Read-only attributes."
                                              "\n\nAre you sure you want to shred it?");
    EXPECT_TRUE(Untouched(path));
    EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(ShredFileTest, YesShredsAndYesToAllCoversTheRestOfTheJob) {
    const std::string first = MakeFile("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    const std::string second = MakeFile("system.txt", FILE_ATTRIBUTE_SYSTEM);
    const std::string third = MakeFile("ro.txt", FILE_ATTRIBUTE_READONLY);
    engine.ui.confirmAnswers = {ConfirmYes, ConfirmYesToAll};
    EXPECT_EQ(engine.shredder.ShredFile(first, ShredFileMode::Confirm), 0);
    EXPECT_FALSE(engine.state.answers.attributeYesToAll);
    EXPECT_EQ(engine.shredder.ShredFile(second, ShredFileMode::Confirm), 0);
    EXPECT_TRUE(engine.state.answers.attributeYesToAll);
    EXPECT_EQ(engine.shredder.ShredFile(third, ShredFileMode::Confirm), 0);
    EXPECT_EQ(engine.ui.confirms.size(), 2u);
    EXPECT_TRUE(ListNames(folder.path()).empty());
    EXPECT_EQ(engine.ui.progressOpened, 1) << "one dialog for the whole job";
}

TEST_F(ShredFileTest, NoToAllStopsTheJob) {
    const std::string path = MakeFile("ro.txt", FILE_ATTRIBUTE_READONLY);
    engine.ui.confirmAnswers = {ScriptedInteraction::kNoToAll};
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 1);
    EXPECT_TRUE(engine.state.cancelRequested);
    EXPECT_TRUE(Untouched(path));
}

TEST_F(ShredFileTest, NoWarningInASilentRunOrOutsideConfirmMode) {
    engine.state.runMode = true;
    EXPECT_EQ(engine.shredder.ShredFile(MakeFile("a.txt", FILE_ATTRIBUTE_READONLY), ShredFileMode::Confirm), 0);
    EXPECT_TRUE(engine.state.answers.attributeYesToAll);
    engine.state = EngineState{};
    EXPECT_EQ(engine.shredder.ShredFile(MakeFile("b.txt", FILE_ATTRIBUTE_HIDDEN), ShredFileMode::NoConfirm), 0);
    EXPECT_TRUE(engine.ui.confirms.empty());
    EXPECT_TRUE(ListNames(folder.path()).empty());
}

TEST_F(ShredFileTest, ContentsOnlyKeepsAnEmptyFileUnderItsOwnName) {
    const std::string path = MakeFile("keep.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::ContentsOnly), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(ReadBytes(path).empty());
    EXPECT_EQ(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(ShredFileTest, FileHeldWithoutSharingIsReportedAndOnlyConfirmModeGoesOn) {
    const std::string path = MakeFile("busy.txt");
    win::UniqueHandle holder(
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);

    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Could not obtain exclusive access to\n" + path +
                                              "\n\nFiles that are in use by other programs\nor Windows itself "
                                              "cannot be shredded.");
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), 1);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::ContentsOnly), 1);
    EXPECT_EQ(engine.ui.messages.size(), 3u);

    // Silent: logged in every mode, so that the run cannot end in "Success".
    engine.state.runMode = true;
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    ASSERT_EQ(engine.log.records.size(), 1u);
    EXPECT_EQ(engine.log.records[0], engine.ui.messages[0].text);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), 1);
    EXPECT_EQ(engine.log.records.size(), 2u);
    EXPECT_EQ(engine.state.itemsNotDone, 5u) << "every open failure counts";
    EXPECT_EQ(engine.ui.messages.size(), 3u);
    holder.Reset();
    EXPECT_TRUE(Untouched(path));
}

TEST_F(ShredFileTest, FileHeldWithReadAndWriteSharingIsOverwrittenAndCut) {
    const std::string path = MakeFile("shared.txt", FILE_ATTRIBUTE_NORMAL, 70000);
    win::UniqueHandle holder(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    std::vector<uint8_t> seen;
    engine.ui.onPump = [&] {
        if (engine.ui.progress.itemPos == engine.ui.progress.itemHigh) seen = ReadBytes(path);
    };
    engine.ui.messageAnswers = {IDOK};
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(seen, std::vector<uint8_t>(70000, 0x00));
    // The holder did not share deletion, so the file stays, empty, under its name.
    EXPECT_TRUE(ReadBytes(path).empty());
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text.rfind("The contents of \n" + path + "\nhave been shredded", 0), 0u);
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OKCANCEL | MB_ICONERROR));
}

TEST_F(ShredFileTest, CancelInTheSecondPassStillCutsAndDeletes) {
    engine.state.job.algorithm = 1;
    const std::string path = MakeFile("cancel.bin", FILE_ATTRIBUTE_NORMAL, 200000);  // 5 block steps a pass
    engine.ui.cancelAtPump = 7;
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 1);
    EXPECT_EQ(engine.ui.pumps, 7);
    EXPECT_EQ(engine.ui.progress.details.size(), 2u);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(ListNames(folder.path()).empty());
}

TEST_F(ShredFileTest, UnreadableStatusIsReportedAndTheJobGoesOn) {
    const std::string path = folder / "missing.txt";
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), 0);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Error: Unable to access\n" + path);
    engine.state.runMode = true;
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), 0);
    EXPECT_EQ(engine.log.records, std::vector<std::string>{"Error: Unable to access\n" + path});
}

TEST_F(ShredFileTest, ProgressDialogThatCannotBeCreatedStopsTheJob) {
    const std::string path = MakeFile("p.txt");
    engine.ui.failProgress = true;
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 1);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Unable to create progress dialog.");
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(Untouched(path));
}

// The letters of the first new name come straight after the seed when no
// random pass draws before them.
std::string PredictedName(uint32_t seed, size_t baseLength, size_t extensionLength) {
    ShredRandom random;
    random.Seed(seed);
    auto letter = [&random] {
        for (;;) {
            const signed char c = static_cast<signed char>(random.Next() & 0xFF);
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return static_cast<char>(c);
        }
    };
    std::string name;
    for (size_t i = 0; i < baseLength; ++i) name += letter();
    if (extensionLength > 0) name += '.';
    for (size_t i = 0; i < extensionLength; ++i) name += letter();
    return name;
}

TEST_F(ShredFileTest, RandomNameThatExistsIsNeverTakenAndTheOtherFileIsLeftAlone) {
    const std::string path = MakeFile("report.txt");
    const std::string bystander = folder / PredictedName(static_cast<uint32_t>(engine.clock.now), 6, 3);
    WriteFilled(bystander, 1000, 0x42);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(Untouched(bystander));
    EXPECT_EQ(ListNames(folder.path()).size(), 1u);
}

class RenameShapeTest : public ShredFileTest, public ::testing::WithParamInterface<const char*> {};

// A file made read-only during its last block step can still be renamed but
// not deleted, which leaves it under its random name in NoConfirm mode.
TEST_P(RenameShapeTest, NewNameHasTheShapeOfTheOld) {
    const std::string name = GetParam();
    const std::string path = MakeFile(name);
    engine.ui.onPump = [&] { ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); };
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), 0);
    const auto names = ListNames(folder.path());
    ASSERT_EQ(names.size(), 1u);
    const std::string& left = names[0];
    EXPECT_NE(left, name);
    ASSERT_EQ(left.size(), name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '.' && name.find('.', i + 1) == std::string::npos)
            EXPECT_EQ(left[i], '.');
        else
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(left[i]))) << left;
    }
    EXPECT_TRUE(ReadBytes(folder / left).empty());
}

INSTANTIATE_TEST_SUITE_P(Names, RenameShapeTest, ::testing::Values("report.txt", "README", ".profile", "a.b.c"));

TEST_F(ShredFileTest, FailedDeletionInConfirmModeRestoresTheNameAndAsks) {
    const std::string path = MakeFile("stuck.txt");
    engine.ui.onPump = [&] { ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); };
    engine.ui.messageAnswers = {IDOK, IDCANCEL};
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(ReadBytes(path).empty());
    EXPECT_EQ(ListNames(folder.path()).size(), 1u);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 1) << "Cancel stops the job";
    EXPECT_EQ(engine.ui.messages.size(), 2u);
}

TEST_F(ShredFileTest, TemporaryFileFormOverwritesThroughTheOpenHandle) {
    const std::string path = MakeFile("f1", FILE_ATTRIBUTE_NORMAL, 70000);
    TempFileSlot slot;
    slot.path = path;
    slot.bytesWritten = 70000;
    slot.handle.Reset(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(slot.handle);
    EXPECT_EQ(engine.shredder.ShredFile(slot, 2, 5), 0);
    EXPECT_EQ(engine.ui.progress.statuses.back(), path + " (2 of 5)");
    LARGE_INTEGER size{};
    ASSERT_TRUE(::GetFileSizeEx(slot.handle.Get(), &size)) << "the handle stays open";
    EXPECT_EQ(size.QuadPart, 70000);
    slot.handle.Reset();
    EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>(70000, 0x00));

    slot.path = "T:\\tmp\\%u";
    slot.handle.Reset(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(engine.shredder.ShredFile(slot, 3, 4), 0);
    EXPECT_EQ(engine.ui.progress.statuses.back(), "T:\\tmp\\3 (3 of 4)");
}

}  // namespace
