// The real executable started with a command line, as a scheduled task
// starts it. Each test runs its own copy from its own folder, so log.txt
// lands there.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/DialogDriver.h"
#include "support/StagedProgram.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

class RunModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.valid()) << "the program is staged on the test drive before these tests";
    }

    DWORD Run(const std::string& arguments) { return program.Run(arguments); }
    std::string Log() { return program.Log(); }

    TestFolder folder;
    StagedProgram program{folder.path()};
};

TEST_F(RunModeTest, SilentRunShredsTheTreeAndTheFileAndLogsSuccess) {
    const std::string tree = folder / "Old reports";
    ASSERT_TRUE(::CreateDirectoryA(tree.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((tree + "\\2025").c_str(), nullptr));
    WriteFilled(tree + "\\summary.doc", 70000, 0x21);
    WriteFilled(tree + "\\2025\\q1.xls", 1000, 0x22);
    const std::string notes = folder / "notes.txt";
    WriteFilled(notes, 300, 0x23);
    const std::string bystander = folder / "keep.txt";
    WriteFilled(bystander, 300, 0x24);

    EXPECT_EQ(Run("\"/s\" \"Nightly\" \"/O2\" \"/F2\" \"/R2\" " + Quoted(tree) + " " + Quoted(notes)), 0u);
    EXPECT_FALSE(Exists(tree));
    EXPECT_FALSE(Exists(notes));
    EXPECT_EQ(ReadBytes(bystander), std::vector<uint8_t>(300, 0x24));
    EXPECT_EQ(Log(), "Task Name: Nightly\r\nSuccess\r\n\r\n");
}

const char kNotAllDone[] = "Not every target was shredded. See the messages above.\r\n\r\n";

TEST_F(RunModeTest, SilentRunLogsWhatIsNoFileSystemObjectAndNoSuccess) {
    const std::string missing = folder / "missing.txt";
    EXPECT_EQ(Run("\"/s\" \"Nightly\" " + Quoted(missing)), 1u);
    EXPECT_EQ(Log(), "Task Name: Nightly\r\nError:\r\n\"" + missing +
                         "\"\r\nIs not a valid file system object\r\n\r\n" + kNotAllDone);
}

TEST_F(RunModeTest, SilentRunLogsAFileHeldOpenAndEndsWithoutSuccess) {
    const std::string busy = folder / "busy.txt";
    WriteFilled(busy, 300, 0x25);
    const std::string notes = folder / "notes.txt";
    WriteFilled(notes, 300, 0x23);
    {
        win::UniqueHandle holder(
            ::CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_EQ(Run("\"/s\" \"Nightly\" " + Quoted(busy) + " " + Quoted(notes)), 1u);
    }
    EXPECT_EQ(ReadBytes(busy), std::vector<uint8_t>(300, 0x25));
    EXPECT_FALSE(Exists(notes)) << "the run went on with the next target";
    EXPECT_EQ(Log(), "Task Name: Nightly\r\nCould not obtain exclusive access to\r\n" + busy +
                         "\r\n\r\nFiles that are in use by other programs\r\nor Windows itself cannot be "
                         "shredded.\r\n\r\n" +
                         kNotAllDone);
}

TEST_F(RunModeTest, SilentRunGivesTheTrueReasonForAHardLinkedFile) {
    const std::string outside = folder / "outside.txt";
    WriteFilled(outside, 300, 0x26);
    const std::string alias = folder / "alias.txt";
    ASSERT_TRUE(::CreateHardLinkA(alias.c_str(), outside.c_str(), nullptr));
    EXPECT_EQ(Run("\"/s\" \"Nightly\" " + Quoted(alias)), 1u);
    EXPECT_EQ(ReadBytes(outside), std::vector<uint8_t>(300, 0x26));
    EXPECT_TRUE(Exists(alias));
    EXPECT_EQ(Log(), "Task Name: Nightly\r\nLeft alone:\r\n" + alias +
                         "\r\nhas more than one name (hard links). Its data was not overwritten.\r\n\r\n" +
                         kNotAllDone);
}

TEST_F(RunModeTest, WindowedRunAsksOnceAndNoKeepsEverything) {
    const std::string notes = folder / "notes.txt";
    WriteFilled(notes, 300, 0x23);
    {
        DialogDriver driver("Vantrel", DialogDriver::Action::Click, IDNO);
        Run(Quoted(notes));
        EXPECT_TRUE(driver.found()) << "the confirmation was shown";
    }
    EXPECT_TRUE(Exists(notes));
    {
        DialogDriver driver("Vantrel", DialogDriver::Action::Click, IDYES);
        Run(Quoted(notes));
        EXPECT_TRUE(driver.found());
    }
    EXPECT_FALSE(Exists(notes));
    EXPECT_EQ(Log(), "<none>") << "a run without /s writes no log";
}

// A scheduled run has nobody at its screen: with a new user's settings the
// Recycle Bin and restore-point runs end by themselves, and their logs say
// what was done in the user's place.
TEST_F(RunModeTest, SilentBinAndRestorePointRunsOfANewUserNeverWait) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Korvex\\Vantrel", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, "BinAlertDisabled");
        ::RegCloseKey(key);
    }
    std::vector<std::string> shown;
    EXPECT_NE(program.RunCommandLine(Quoted(program.path()) + " \"/s\" \"Bin\" \"recycle\"", 60000, &shown), 9998u)
        << "the run waited";
    EXPECT_NE(Log().find("A scheduled run does not stop to warn"), std::string::npos) << Log();
    ::DeleteFileA((folder / "log.txt").c_str());

    EXPECT_NE(program.RunCommandLine(Quoted(program.path()) + " \"/s\" \"Points\" \"restorepoints\"", 60000, &shown),
              9998u)
        << "the run waited";
    EXPECT_NE(Log().find("confirmed when this task was scheduled"), std::string::npos) << Log();
    // Since Vista the points are shadow copies: removed through the system, no folder touched.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (::GetVersionExA(&version) && version.dwMajorVersion >= 6) {
        EXPECT_NE(Log().find("All restore points were removed"), std::string::npos) << Log();
    }
    for (const std::string& window : shown) EXPECT_NE(window.find("with progress bars"), std::string::npos) << window;
}

}  // namespace
