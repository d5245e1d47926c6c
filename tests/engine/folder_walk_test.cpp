// ShredFolder on real trees: the two subfolder options, the yes-to-all
// flags, the purge modes, protected and System folders, and the reports of a
// folder that cannot be listed or removed.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "engine/FolderShredder.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

constexpr unsigned kErrorBox = MB_OK | MB_ICONERROR;

class FolderWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.state.job.algorithm = 0;
        SetOptions(Never, Never);
    }
    void TearDown() override { SetOptions(Never, Never); }

    void SetOptions(int folderOption, int removeOption) {
        engine.state.job.folder = folderOption;
        engine.state.job.remove = removeOption;
    }
    std::string Dir(const std::string& relative, DWORD attributes = 0) {
        return folder.MakeDir(relative, attributes);
    }
    std::string File(const std::string& relative, DWORD attributes = 0) {
        return folder.MakeFile(relative, 100, attributes);
    }
    static bool Intact(const std::string& path) { return Exists(path) && ReadBytes(path) == std::vector<uint8_t>(100, 0x42); }

    int Walk(const std::string& path, FolderWalkMode mode = FolderWalkMode::Interactive) {
        return shredder.ShredFolder(path, false, mode);
    }
    // The path a "...:\n<path>?" question was about.
    std::string AskedPath(size_t index, const std::string& prefix) const {
        const std::string& text = engine.ui.confirms.at(index).text;
        EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
        return text.substr(prefix.size(), text.size() - prefix.size() - 1);
    }
    std::multiset<std::string> MessageTexts() const {
        std::multiset<std::string> texts;
        for (const ShownMessage& message : engine.ui.messages) texts.insert(message.text);
        return texts;
    }

    TestFolder folder;
    TestEngine engine;
    FolderShredder shredder{engine.context, engine.shredder};
};

TEST_F(FolderWalkTest, FolderNeverShredsOnlyTheTopFilesAndTheTopStays) {
    File("a.txt");
    Dir("sub");
    File("sub\\b.txt");
    SetOptions(Never, Always);
    EXPECT_EQ(Walk(folder.path()), 0);
    EXPECT_FALSE(Exists(folder / "a.txt"));
    EXPECT_TRUE(Intact(folder / "sub\\b.txt"));
    shredder.RemoveFolderIfEmpty(folder.path());
    EXPECT_TRUE(Exists(folder.path()));
    EXPECT_TRUE(engine.ui.messages.empty());
    EXPECT_TRUE(engine.ui.confirms.empty());
}

TEST_F(FolderWalkTest, AlwaysAndAlwaysEmptiesTheWholeTreeAndRemoveNeverKeepsItsFolders) {
    const std::string top = Dir("top");
    File("top\\a.txt", FILE_ATTRIBUTE_HIDDEN);
    Dir("top\\s1");
    File("top\\s1\\b.txt");
    Dir("top\\s1\\s2");
    File("top\\s1\\s2\\c.txt");
    Dir("top\\empty");
    engine.ui.confirmAnswers = {ConfirmYesToAll};
    SetOptions(Always, Always);
    EXPECT_EQ(Walk(top), 0);
    EXPECT_TRUE(ListNames(top).empty());
    shredder.RemoveFolderIfEmpty(top);
    EXPECT_FALSE(Exists(top));

    const std::string kept = Dir("kept");
    Dir("kept\\s");
    File("kept\\s\\b.txt");
    const std::string filesOnly = Dir("filesOnly");
    File("filesOnly\\a.txt");
    SetOptions(Always, Never);
    EXPECT_EQ(Walk(kept), 0);
    EXPECT_EQ(ListNames(kept), std::vector<std::string>{"s"});
    EXPECT_TRUE(ListNames(folder / "kept\\s").empty());
    EXPECT_EQ(Walk(filesOnly), 0);
    shredder.RemoveFolderIfEmpty(filesOnly);
    EXPECT_FALSE(Exists(filesOnly));
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(FolderWalkTest, NoAtAQuestionLeavesThatFolderAndYesGoesOn) {
    for (int removeQuestion = 0; removeQuestion < 2; ++removeQuestion) {
        const std::string top = Dir("t" + std::to_string(removeQuestion));
        for (const char* sub : {"\\s1", "\\s2"}) {
            Dir("t" + std::to_string(removeQuestion) + sub);
            File("t" + std::to_string(removeQuestion) + sub + "\\f.txt");
        }
        const std::string prefix = removeQuestion ? "Remove folder:\n" : "Shred subfolder:\n";
        engine.ui.confirms.clear();
        engine.ui.confirmAnswers = {ConfirmNo, ConfirmYes};
        SetOptions(removeQuestion ? Always : Prompt, removeQuestion ? Prompt : Always);
        EXPECT_EQ(Walk(top), 0);
        ASSERT_EQ(engine.ui.confirms.size(), 2u);
        EXPECT_EQ(engine.ui.confirms[0].style, 3);
        EXPECT_EQ(engine.ui.confirms[0].caption, "Vantrel");
        const std::string refused = AskedPath(0, prefix);
        EXPECT_EQ(ListNames(refused).empty(), removeQuestion == 1) << "walked, or left whole";
        EXPECT_TRUE(removeQuestion || Intact(refused + "\\f.txt"));
        EXPECT_FALSE(Exists(AskedPath(1, prefix)));
    }
    EXPECT_FALSE(engine.state.answers.subfolderYesToAll || engine.state.answers.removeYesToAll);
}

TEST_F(FolderWalkTest, YesToAllAnswersEveryLaterQuestionOfTheJob) {
    Dir("a");
    Dir("a\\c");
    File("a\\c\\f.txt");
    Dir("b");
    File("b\\f.txt");
    SetOptions(Prompt, Prompt);
    engine.ui.confirmAnswers = {ConfirmYesToAll, ConfirmYesToAll};
    EXPECT_EQ(Walk(folder.path()), 0);
    ASSERT_EQ(engine.ui.confirms.size(), 2u);
    AskedPath(0, "Shred subfolder:\n");
    AskedPath(1, "Remove folder:\n");
    EXPECT_TRUE(engine.state.answers.subfolderYesToAll);
    EXPECT_TRUE(engine.state.answers.removeYesToAll);
    EXPECT_TRUE(ListNames(folder.path()).empty());
}

TEST_F(FolderWalkTest, NoToAllOrAClosedBoxAtEitherQuestionStopsTheJob) {
    for (int removeQuestion = 0; removeQuestion < 2; ++removeQuestion) {
        for (int answer : {static_cast<int>(ScriptedInteraction::kNoToAll), static_cast<int>(ConfirmCancel)}) {
            SCOPED_TRACE(std::to_string(removeQuestion) + " " + std::to_string(answer));
            const std::string name = "t" + std::to_string(removeQuestion) + std::to_string(answer);
            const std::string top = Dir(name);
            for (const char* sub : {"\\x", "\\y"}) {
                Dir(name + sub);
                File(name + sub + "\\f.txt");
            }
            engine.state = EngineState{};
            engine.ui.confirms.clear();
            engine.ui.confirmAnswers = {answer};
            SetOptions(removeQuestion ? Always : Prompt, removeQuestion ? Prompt : Always);

            EXPECT_EQ(Walk(top), 1);
            EXPECT_EQ(engine.ui.confirms.size(), 1u) << "nothing more is asked";
            EXPECT_EQ(engine.state.cancelRequested, answer == ScriptedInteraction::kNoToAll);
            const std::string asked = AskedPath(0, removeQuestion ? "Remove folder:\n" : "Shred subfolder:\n");
            const std::string other = asked.back() == 'x' ? top + "\\y" : top + "\\x";
            EXPECT_TRUE(Exists(asked));
            EXPECT_EQ(Exists(asked + "\\f.txt"), removeQuestion == 0);
            EXPECT_TRUE(Intact(other + "\\f.txt"));
        }
    }
}

TEST_F(FolderWalkTest, RunModeTakesTheCommandLineOptionsAsksAtPromptButNotForSystem) {
    Dir("sys", FILE_ATTRIBUTE_SYSTEM);
    File("sys\\f.txt", FILE_ATTRIBUTE_READONLY);
    engine.state.runMode = true;
    engine.state.job.folder = Prompt;
    engine.state.job.remove = Always;
    EXPECT_EQ(Walk(folder.path()), 0);
    ASSERT_EQ(engine.ui.confirms.size(), 1u);
    AskedPath(0, "Shred subfolder:\n");
    EXPECT_TRUE(engine.ui.messages.empty());
    EXPECT_TRUE(ListNames(folder.path()).empty());
}

TEST_F(FolderWalkTest, PurgeShredsAndRemovesEverythingUnasked) {
    File("ro.txt", FILE_ATTRIBUTE_READONLY);
    const std::string sys = Dir("sys", FILE_ATTRIBUTE_SYSTEM);
    File("sys\\f.txt", FILE_ATTRIBUTE_HIDDEN);
    Dir("sys\\deeper");
    engine.machine.protectedFolders[0] = sys;
    EXPECT_EQ(Walk(folder.path(), FolderWalkMode::Purge), 0);
    EXPECT_TRUE(Exists(folder.path()));
    EXPECT_TRUE(ListNames(folder.path()).empty());
    EXPECT_TRUE(engine.ui.confirms.empty());
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(FolderWalkTest, PurgeKeepFirstLevelEmptiesTheDirectSubfoldersButKeepsThem) {
    Dir("B");
    Dir("B\\C");
    File("B\\C\\f.txt");
    EXPECT_EQ(Walk(folder.path(), FolderWalkMode::PurgeKeepFirstLevel), 0);
    EXPECT_EQ(ListNames(folder.path()), std::vector<std::string>{"B"});
    EXPECT_TRUE(ListNames(folder / "B").empty());
}

TEST_F(FolderWalkTest, ProtectedFoldersAreSkippedWithTheListTextAndTheirRemovalIsReported) {
    const std::string profile = Dir("profile");
    Dir("profile\\Desktop");
    File("profile\\Desktop\\d.txt");
    Dir("profile\\Start Menu");
    File("profile\\Start Menu\\s.txt");
    Dir("profile\\Other");
    File("profile\\Other\\o.txt");
    engine.machine.protectedFolders[3] = profile + "\\START MENU";
    engine.machine.protectedFolders[5] = profile + "\\desktop";
    SetOptions(Always, Always);
    EXPECT_EQ(Walk(profile), 0);

    const std::string notEmpty = "\n\nError code: 41 (Directory not empty).";
    const std::multiset<std::string> expected = {
        "Skipping " + profile + "\\START MENU folder.", "Skipping " + profile + "\\desktop folder.",
        "Unable to remove folder:\n" + profile + "\\Start Menu" + notEmpty,
        "Unable to remove folder:\n" + profile + "\\Desktop" + notEmpty};
    EXPECT_EQ(MessageTexts(), expected);
    for (const ShownMessage& message : engine.ui.messages) {
        const bool skip = message.text.rfind("Skipping", 0) == 0;
        EXPECT_EQ(message.flags, skip ? static_cast<unsigned>(MB_OK | MB_ICONINFORMATION) : kErrorBox);
    }
    EXPECT_TRUE(Intact(profile + "\\Desktop\\d.txt"));
    EXPECT_TRUE(Intact(profile + "\\Start Menu\\s.txt"));
    EXPECT_FALSE(Exists(profile + "\\Other"));

    // Silent: the same four reports go to the log.
    engine.ui.messages.clear();
    engine.state.runMode = true;
    engine.state.job.folder = Always;
    engine.state.job.remove = Always;
    EXPECT_EQ(Walk(profile), 0);
    EXPECT_EQ(std::multiset<std::string>(engine.log.records.begin(), engine.log.records.end()), expected);
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(FolderWalkTest, ProtectedMatchHoldsForShortNamesAndATopWithATrailingBackslash) {
    const std::string longName = Dir("Long Protected Name");
    File("Long Protected Name\\f.txt");
    Dir("plain");
    char shortName[MAX_PATH] = "";
    ::GetShortPathNameA(longName.c_str(), shortName, MAX_PATH);
    ASSERT_STRNE(shortName, longName.c_str());
    engine.machine.protectedFolders[0] = shortName;
    SetOptions(Prompt, Never);
    EXPECT_EQ(Walk(folder.path() + "\\"), 0);
    EXPECT_EQ(MessageTexts(), std::multiset<std::string>{"Skipping " + std::string(shortName) + " folder."});
    EXPECT_TRUE(Intact(longName + "\\f.txt"));
    ASSERT_EQ(engine.ui.confirms.size(), 2u);
    const std::set<std::string> asked = {AskedPath(0, "Shred subfolder:\n"), AskedPath(1, "Shred subfolder:\n")};
    EXPECT_EQ(asked, (std::set<std::string>{longName, folder / "plain"})) << "no doubled backslash";
}

TEST_F(FolderWalkTest, SystemFolderIsAskedAboutAndNoOrCancelLeaveIt) {
    Dir("sys", FILE_ATTRIBUTE_SYSTEM);
    const std::string file = File("sys\\f.txt");
    SetOptions(Always, Never);
    engine.ui.messageAnswers = {IDNO, IDCANCEL, IDYES};
    EXPECT_EQ(Walk(folder.path()), 0);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text,
              "Warning:\n" + folder / "sys" + "\nis marked as a System folder.\nAre you sure you want to shred it?");
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_TRUE(Intact(file));
    EXPECT_EQ(Walk(folder.path()), 1);
    EXPECT_TRUE(Intact(file));
    EXPECT_EQ(Walk(folder.path()), 0);
    EXPECT_FALSE(Exists(file));
}

TEST_F(FolderWalkTest, AFolderThatCannotBeListedStopsTheWholeJob) {
    const std::string deep = Dir("a");
    Dir("a\\b");
    win::UniqueHandle holder(::CreateFileA((deep + "\\b").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(holder);
    SetOptions(Always, Always);
    EXPECT_EQ(Walk(folder.path()), 1);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Invalid find handle.");
    EXPECT_EQ(engine.ui.messages[0].flags, kErrorBox);
    EXPECT_TRUE(Exists(deep)) << "no removal after a stop";

    engine.state.runMode = true;
    EXPECT_EQ(Walk(folder / "missing"), 1);
    EXPECT_EQ(engine.log.records, std::vector<std::string>{"Invalid find handle."});
    EXPECT_EQ(engine.state.itemsNotDone, 2u) << "a folder that cannot be listed is not done";
}

TEST_F(FolderWalkTest, AFailedRemovalIsReportedWithErrnoAndTheWalkGoesOn) {
    const std::string held = Dir("held");
    File("held\\f.txt");
    Dir("free");
    File("free\\f.txt");
    win::UniqueHandle holder(::CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(holder);
    SetOptions(Always, Always);
    EXPECT_EQ(Walk(folder.path()), 0);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Unable to remove folder:\n" + held + "\n\nError code: 13 (Permission denied).");
    EXPECT_EQ(engine.ui.messages[0].flags, kErrorBox);
    EXPECT_EQ(ListNames(folder.path()), std::vector<std::string>{"held"});
    EXPECT_TRUE(ListNames(held).empty());
}

TEST_F(FolderWalkTest, CancelDuringAFileStopsTheWalk) {
    File("a.txt");
    File("b.txt");
    File("c.txt");
    engine.ui.cancelAtPump = 1;
    EXPECT_EQ(Walk(folder.path()), 1);
    EXPECT_TRUE(engine.state.cancelRequested);
    const std::vector<std::string> left = ListNames(folder.path());
    EXPECT_EQ(left.size(), 2u);
    for (const std::string& name : left) EXPECT_TRUE(Intact(folder / name));
}

}  // namespace
