// Start-up of the real executable: the single interactive instance, the
// notice about the missing scheduling component, and a damaged registry.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/DialogDriver.h"
#include "support/StagedProgram.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

constexpr char kSettingsKey[] = "software\\Korvex\\Vantrel";
constexpr int kMessageText = 0xFFFF;  // the text control of a message box

void SetValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    win::UniqueRegKey owner(key);
    ASSERT_EQ(::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void DeleteValue(const char* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    win::UniqueRegKey owner(key);
    ::RegDeleteValueA(key, name);
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program.valid()); }
    void TearDown() override {
        for (const char* name : {"Method", "Language", "AlertDisabled", "Folder", "Remove", "FirstRun", "PassCount"})
            DeleteValue(name);
    }

    // A silent job on one file of its own: the program ran through start-up.
    void ExpectSilentJobRuns(const std::string& taskName) {
        const std::string file = folder / (taskName + ".txt");
        WriteFilled(file, 5000, 0x41);
        EXPECT_EQ(program.Run("\"/s\" " + Quoted(taskName) + " " + Quoted(file)), 0u);
        EXPECT_FALSE(Exists(file));
        EXPECT_EQ(program.Log(), "Task Name: " + taskName + "\r\nSuccess\r\n\r\n");
        ::DeleteFileA((folder / "log.txt").c_str());
    }

    TestFolder folder;
    StagedProgram program{folder.path()};
};

TEST_F(StartupTest, SecondInteractiveStartIsToldAndEndsWhileCommandLineRunsGoOn) {
    win::UniqueHandle running(::CreateMutexA(nullptr, TRUE, "BrelmontVantrel"));
    ASSERT_TRUE(running);
    {
        DialogDriver driver("Vantrel", DialogDriver::Action::Click, IDOK, kMessageText);
        EXPECT_EQ(program.Run(""), 0u);
        ASSERT_TRUE(driver.found());
        EXPECT_EQ(driver.seen().text,
                  "There's an instance running of the program so you can't run another instance.");
    }
    ExpectSilentJobRuns("Beside");
}

TEST_F(StartupTest, InteractiveStartTellsOnceThatSchedulingIsUnavailableAndOpensTheMainWindow) {
    SetValue("FirstRun", REG_SZ, "0", 2);  // the wizard has tests of its own
    DialogDriver driver("Vantrel", DialogDriver::Action::Click, IDOK, kMessageText);
    // Its Exit button ends the program; the About button is hidden.
    DialogDriver mainWindow("Vantrel", DialogDriver::Action::Click, IDCANCEL, 0, {IDOK, IDHELP, IDCANCEL}, true);
    // A second box would never be answered, and the run would time out.
    EXPECT_EQ(program.Run("", 30000), 0u);
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(driver.seen().text, "Couldn't access Sched.dll.\nUnfortunately, The scheduler function couldn't work.");
    ASSERT_TRUE(mainWindow.found());
    EXPECT_EQ(mainWindow.seen().visibleButtons, (std::vector<int>{IDHELP, IDCANCEL}));
}

TEST_F(StartupTest, SettingsOfTheWrongTypeReadAsDefaults) {
    SetValue("Method", REG_SZ, "3", 2);
    const DWORD number = 2;
    SetValue("Language", REG_DWORD, &number, sizeof(number));
    SetValue("AlertDisabled", REG_SZ, "1", 2);
    SetValue("Folder", REG_BINARY, "\x02\x00", 2);
    SetValue("FirstRun", REG_DWORD, &number, sizeof(number));
    ExpectSilentJobRuns("Wrong types");
}

TEST_F(StartupTest, HugeAndOutOfRangeValuesAndNoLanguagePack) {
    const std::string huge(300000, 'x');
    SetValue("Language", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
    const DWORD beyond = 0x7FFFFFFF;
    SetValue("Method", REG_DWORD, &beyond, sizeof(beyond));
    ExpectSilentJobRuns("Huge");

    SetValue("Language", REG_SZ, "Klingon", 8);
    const std::string file = folder / "asked.txt";
    WriteFilled(file, 10, 0x42);
    {
        DialogDriver driver("Vantrel", DialogDriver::Action::Click, IDNO, kMessageText);
        program.Run(Quoted(file));
        ASSERT_TRUE(driver.found());
        EXPECT_EQ(driver.seen().text.rfind("WARNING: Shredded files", 0), 0u)
            << "a language without a pack speaks English: " << driver.seen().text;
    }
    EXPECT_TRUE(Exists(file));
}

}  // namespace
