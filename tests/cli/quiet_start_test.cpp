// Silent runs of the real executable: one on a first run, which must show
// neither the wizard nor the main window and must not use the wizard up, and one
// started with its arguments alone, as the system's task scheduler does.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/StagedProgram.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

constexpr char kSettingsKey[] = "software\\Korvex\\Vantrel";

bool WriteFirstRun(const char* value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    win::UniqueRegKey owner(key);
    return ::RegSetValueExA(key, "FirstRun", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

std::string ReadFirstRun() {
    char value[64] = "";
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
    win::UniqueRegKey owner(key);
    if (::RegQueryValueExA(key, "FirstRun", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
        return "<none>";
    return type == REG_SZ ? std::string(value) : "<not text>";
}

class QuietStartTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program.valid()); }
    void TearDown() override {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        win::UniqueRegKey owner(key);
        ::RegDeleteValueA(key, "FirstRun");
    }

    TestFolder folder;
    StagedProgram program{folder.path()};
};

TEST_F(QuietStartTest, SilentRunOnAFirstRunShowsNoWizardNorMainWindowAndLeavesTheWizardForLater) {
    ASSERT_TRUE(WriteFirstRun("1"));
    const std::string file = folder / "quiet.txt";
    WriteFilled(file, 4000, 0x51);
    std::vector<std::string> visible{"<not run>"};
    // A wizard or a main window would wait for an answer and run into the time-out.
    EXPECT_EQ(program.RunCommandLine(Quoted(program.path()) + " \"/s\" \"Quiet\" " + Quoted(file), 30000, &visible), 0u);
    // The progress dialog shows in a silent run too; nothing else may.
    for (const std::string& window : visible) {
        const std::string progress = " with progress bars";
        EXPECT_TRUE(window.size() > progress.size() &&
                    window.compare(window.size() - progress.size(), progress.size(), progress) == 0)
            << window;
    }
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(program.Log(), "Task Name: Quiet\r\nSuccess\r\n\r\n");
    EXPECT_EQ(ReadFirstRun(), "1");
}

TEST_F(QuietStartTest, CommandLineOfTheArgumentsAloneRunsTheTask) {
    const std::string file = folder / "bare.txt";
    WriteFilled(file, 4000, 0x52);
    EXPECT_EQ(program.RunCommandLine("\"/s\" \"Bare\" " + Quoted(file), 30000), 0u);
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(program.Log(), "Task Name: Bare\r\nSuccess\r\n\r\n");
}

}  // namespace
