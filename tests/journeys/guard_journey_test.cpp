// What the user did not choose is never touched, from the pages as from the
// command line: a hard-linked file's other name keeps its data, and a System
// folder answered No and a protected folder stay, even when empty. What was
// not shredded stays listed, and the user is told.
#include "journeys/Journey.h"

#include "res/resource.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

constexpr int kFilesTab = 1;
constexpr int kFoldersTab = 2;
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class GuardJourney : public Journey {};

TEST_F(GuardJourney, AHardLinkedFilesOtherNameKeepsItsDataAndTheFileStaysListed) {
    TestFolder folder;
    const std::string listed = folder.MakeFile("listed.txt", 5000);
    const std::string other = folder / "other name.txt";
    ASSERT_TRUE(::CreateHardLinkA(other.c_str(), listed.c_str(), nullptr));
    StartProgram();
    HWND page = ShowTab(kFilesTab);
    BrowseFiles(page, folder.path(), "listed.txt");

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SHRED_NOW));
    AnswerBox(IDYES, "cannot be recovered");
    AnswerBox(IDOK, listed);               // left alone, and why
    AnswerBox(IDOK, "stay in the list");   // what was not shredded
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadBytes(other), std::vector<uint8_t>(5000, 0x42)) << "the other name lost its data";
    EXPECT_EQ(ReadBytes(listed), std::vector<uint8_t>(5000, 0x42));
    EXPECT_EQ(drive::ListColumn(::GetDlgItem(page, IDC_TARGETS_FILE_LIST)), std::vector<std::string>{listed});
    ExitProgram();
}

TEST_F(GuardJourney, AnEmptySystemFolderAnsweredNoAndAProtectedFolderStay) {
    TestFolder folder;
    const std::string system = folder.MakeDir("Settings", FILE_ATTRIBUTE_SYSTEM);
    // The user's desktop folder is protected; here it is a folder of the test's own.
    const std::string desktop = folder.MakeDir("Desktop");
    win::UniqueRegKey shell;
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        shell.Reset(key);
    }
    char previous[MAX_PATH] = "";
    DWORD size = sizeof(previous);
    const bool hadDesktop =
        ::RegQueryValueExA(shell.Get(), "Desktop", nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size) ==
        ERROR_SUCCESS;
    ::RegSetValueExA(shell.Get(), "Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(desktop.c_str()),
                     static_cast<DWORD>(desktop.size() + 1));
    StartProgram();
    HWND page = ShowTab(kFoldersTab);
    BrowseFolder(page, system);
    BrowseFolder(page, desktop);

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SHRED_NOW));
    AnswerBox(IDYES, "cannot be recovered");
    AnswerBox(IDNO, system);                 // the System folder's question
    AnswerBox(IDOK, "");                     // the protected folder is skipped
    AnswerBox(IDOK, "stay in the list");
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_TRUE(Exists(system));
    EXPECT_TRUE(Exists(desktop));
    EXPECT_EQ(drive::ListColumn(::GetDlgItem(page, IDC_TARGETS_FOLDER_LIST)),
              (std::vector<std::string>{system, desktop}));
    ExitProgram();
    if (hadDesktop)
        ::RegSetValueExA(shell.Get(), "Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(previous), size);
    ::SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
