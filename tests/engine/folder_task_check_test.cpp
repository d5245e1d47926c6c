// The pre-checks of a scheduled task: the attribute warning of a file, the
// System question of a folder, and the folder pre-scan that turns a Prompt of
// "Folder" and "Remove" into the stored answer.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/FolderShredder.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

class FolderTaskCheckTest : public ::testing::Test {
protected:
    void SetUp() override { SetOptions(Never, Never); }
    void TearDown() override { SetOptions(Never, Never); }

    void SetOptions(int folderOption, int removeOption) {
        engine.settings.WriteInt("Folder", folderOption);
        engine.settings.WriteInt("Remove", removeOption);
    }
    int Stored(const char* name) const { return engine.settings.ReadInt(name, -1); }
    std::string Dir(const std::string& relative, DWORD attributes = 0) {
        return folder.MakeDir(relative, attributes);
    }
    std::string File(const std::string& relative, DWORD attributes = 0) {
        return folder.MakeFile(relative, 10, attributes);
    }

    TestFolder folder;
    TestEngine engine;
    FolderShredder shredder{engine.context, engine.shredder};
};

TEST_F(FolderTaskCheckTest, TaskFileAnswersByTheAttributeWarning) {
    EXPECT_EQ(shredder.CheckTaskFile(File("plain.txt")), 2);
    EXPECT_TRUE(engine.ui.confirms.empty());

    const std::string marked = File("ro.txt", FILE_ATTRIBUTE_READONLY);
    engine.ui.confirmAnswers = {ConfirmCancel, ConfirmNo, ConfirmYes, ConfirmYesToAll};
    EXPECT_EQ(shredder.CheckTaskFile(marked), 1);
    EXPECT_EQ(shredder.CheckTaskFile(marked), 0);
    EXPECT_EQ(shredder.CheckTaskFile(marked), 2);
    EXPECT_FALSE(engine.state.answers.taskFileYesToAll);
    EXPECT_EQ(shredder.CheckTaskFile(marked), 2);
    EXPECT_TRUE(engine.state.answers.taskFileYesToAll);
    EXPECT_EQ(shredder.CheckTaskFile(File("hidden.txt", FILE_ATTRIBUTE_HIDDEN)), 2);
    ASSERT_EQ(engine.ui.confirms.size(), 4u);
    EXPECT_EQ(engine.ui.confirms[0].text, "Warning\n" + marked +
                                              "\nis marked with the System, Hidden,\nand/or Read-only attributes."
                                              "\n\nAre you sure you want to add it to the current task?");
    EXPECT_EQ(engine.ui.confirms[0].style, 3);
}

TEST_F(FolderTaskCheckTest, FileInsideAFolderCountsNoAsYesAndShowsAccessFailuresAsErrors) {
    const std::string marked = File("sys.txt", FILE_ATTRIBUTE_SYSTEM);
    engine.ui.confirmAnswers = {ConfirmNo, ConfirmCancel};
    EXPECT_EQ(shredder.CheckTaskFolderFile(marked), 2);
    EXPECT_EQ(shredder.CheckTaskFolderFile(marked), 1);

    const std::string missing = folder / "missing.txt";
    EXPECT_EQ(shredder.CheckTaskFile(missing), 0);
    EXPECT_EQ(shredder.CheckTaskFolderFile(missing), 0);
    ASSERT_EQ(engine.ui.messages.size(), 2u);
    EXPECT_EQ(engine.ui.messages[0].text, "Error: Unable to access\n" + missing);
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(engine.ui.messages[1].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
}

TEST_F(FolderTaskCheckTest, SystemFolderQuestionAndAFolderThatCannotBeListed) {
    const std::string sys = Dir("sys");
    engine.ui.confirmAnswers = {ConfirmCancel, ConfirmNo, ConfirmYesToAll};
    EXPECT_EQ(shredder.CheckTaskFolder(sys, true), 1);
    EXPECT_EQ(shredder.CheckTaskFolder(sys, true), 2) << "NO still puts it in";
    EXPECT_EQ(shredder.CheckTaskFolder(sys, true), 2);
    EXPECT_TRUE(engine.state.answers.taskFolderYesToAll);
    EXPECT_EQ(shredder.CheckTaskFolder(sys, true), 2);
    ASSERT_EQ(engine.ui.confirms.size(), 3u);
    EXPECT_EQ(engine.ui.confirms[0].text,
              "Warning:\n" + sys + "\nis marked as a System folder.\nAre you sure you want to shred it?");

    EXPECT_EQ(shredder.CheckTaskFolder(folder / "missing", false), 1);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Invalid find handle.");
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
}

TEST_F(FolderTaskCheckTest, PromptsAreAnsweredIntoTheStoredSettings) {
    Dir("s");
    File("s\\ro.txt", FILE_ATTRIBUTE_READONLY);
    SetOptions(Prompt, Prompt);
    engine.ui.confirmAnswers = {ConfirmYes, ConfirmNo, ConfirmYes};
    EXPECT_EQ(shredder.CheckTaskFolder(folder.path(), false), 2);
    EXPECT_EQ(Stored("Folder"), Always);
    EXPECT_EQ(Stored("Remove"), Never);
    ASSERT_EQ(engine.ui.confirms.size(), 3u);
    EXPECT_EQ(engine.ui.confirms[0].text, "Do you want to shred all sub folders?");
    EXPECT_EQ(engine.ui.confirms[1].text, "Do you want to remove all sub folders after shredding?");
    EXPECT_EQ(engine.ui.confirms[2].text.rfind("Warning\n" + folder / "s\\ro.txt", 0), 0u) << "files below are checked";
}

TEST_F(FolderTaskCheckTest, NoToShredAllSubfoldersSkipsTheRestOfTheLevel) {
    for (const char* name : {"a", "b"}) {
        Dir(name);
        File(std::string(name) + "\\ro.txt", FILE_ATTRIBUTE_READONLY);
    }
    SetOptions(Prompt, Prompt);
    engine.ui.confirmAnswers = {ConfirmNo};
    EXPECT_EQ(shredder.CheckTaskFolder(folder.path(), false), 2);
    EXPECT_EQ(engine.ui.confirms.size(), 1u);
    EXPECT_EQ(Stored("Folder"), Never);
    EXPECT_EQ(Stored("Remove"), Prompt);
}

TEST_F(FolderTaskCheckTest, YesToAllSilencesLaterQuestionsAndLeavesTheirPrompt) {
    Dir("a");
    Dir("a\\deeper");
    File("a\\deeper\\sys.txt", FILE_ATTRIBUTE_SYSTEM);
    SetOptions(Prompt, Prompt);
    engine.ui.confirmAnswers = {ConfirmYesToAll, ConfirmCancel};
    EXPECT_EQ(shredder.CheckTaskFolder(folder.path(), false), 1) << "the file's warning still counts";
    EXPECT_TRUE(engine.state.answers.taskFolderYesToAll);
    EXPECT_EQ(engine.ui.confirms.size(), 2u);
    EXPECT_EQ(Stored("Folder"), Always);
    EXPECT_EQ(Stored("Remove"), Prompt);
}

TEST_F(FolderTaskCheckTest, WithoutSubfoldersThePromptsStayAndACancelGivesUp) {
    const std::string flat = Dir("flat");
    File("flat\\f.txt");
    SetOptions(Prompt, Prompt);
    EXPECT_EQ(shredder.CheckTaskFolder(flat, false), 2);
    EXPECT_EQ(Stored("Folder"), Prompt);
    EXPECT_EQ(Stored("Remove"), Prompt);
    EXPECT_TRUE(engine.ui.confirms.empty());

    Dir("flat\\s");
    engine.ui.confirmAnswers = {ScriptedInteraction::kNoToAll};
    EXPECT_EQ(shredder.CheckTaskFolder(flat, false), 1);
    EXPECT_TRUE(engine.state.cancelRequested);
    EXPECT_EQ(Stored("Folder"), Prompt);
}

}  // namespace
