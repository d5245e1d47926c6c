// Shred Files and Shred Folders as a user works them: the system's pickers
// fill the list, Shred Now asks, and what was listed is gone from the disk.
#include "journeys/Journey.h"

#include "res/resource.h"
#include "support/TestFolder.h"

namespace {

constexpr int kFilesTab = 1;
constexpr int kFoldersTab = 2;

class FilesAndFoldersJourney : public Journey {};

// The first file is named in Cyrillic and emoji: the wide dialog picks it, the
// list shows it as itself, and the job reaches it by its own name.
TEST_F(FilesAndFoldersJourney, BrowseAddsTwoFilesAndShredNowLeavesNeitherOnTheDisk) {
    TestFolder folder;
    const std::string first = folder.MakeFile("первый отчёт \xF0\x9F\x94\x92.txt", 70000);
    const std::string second = folder.MakeFile("second.bin", 1000);
    const std::string bystander = folder.MakeFile("keep.txt", 500);
    StartProgram();
    HWND page = ShowTab(kFilesTab);

    BrowseFiles(page, folder.path(), "\"первый отчёт \xF0\x9F\x94\x92.txt\" \"second.bin\"");
    HWND list = ::GetDlgItem(page, IDC_TARGETS_FILE_LIST);
    ASSERT_EQ(drive::ListRowCount(list), 2);
    EXPECT_EQ(drive::ListItemText(list, 0), first);
    EXPECT_EQ(drive::ListItemText(list, 1), second);

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SHRED_NOW));
    AnswerBox(IDYES, "cannot be recovered");
    ASSERT_TRUE(drive::WaitUntil([&] { return !Exists(first) && !Exists(second); }, 30000)) << "the files stayed";
    EXPECT_TRUE(drive::WaitUntil([list] { return drive::ListRowCount(list) == 0; }, 10000));
    EXPECT_TRUE(Exists(bystander));
    EXPECT_EQ(ListNames(folder.path()).size(), 1u);
    ExitProgram();
}

TEST_F(FilesAndFoldersJourney, AFolderBrowsedWithSubfoldersAlwaysShreddedLeavesNoTree) {
    TestFolder folder;
    const std::string tree = folder.MakeDir("Old reports");
    folder.MakeFile("Old reports\\summary.doc", 70000);
    folder.MakeDir("Old reports\\2025");
    folder.MakeDir("Old reports\\2025\\q1");
    folder.MakeFile("Old reports\\2025\\q1\\sheet.xls", 3000);
    const std::string bystander = folder.MakeFile("keep.txt", 500);
    StartProgram();
    HWND page = ShowTab(kFoldersTab);

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SUBFOLDER_OPTIONS));
    HWND options = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(options, nullptr) << "SubFolder Options did not open";
    ASSERT_TRUE(drive::ClickItem(options, IDC_SUBFOLDER_SHRED_ALWAYS));
    ASSERT_TRUE(drive::ClickWhenEnabled(options, IDC_SUBFOLDER_REMOVE_ALWAYS));
    ASSERT_TRUE(drive::ClickItem(options, IDOK));
    ASSERT_TRUE(drive::WaitUntil([options] { return !::IsWindow(options); }, 10000));

    BrowseFolder(page, tree);
    HWND list = ::GetDlgItem(page, IDC_TARGETS_FOLDER_LIST);
    ASSERT_EQ(drive::ListColumn(list), std::vector<std::string>{tree});

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_SHRED_NOW));
    AnswerBox(IDYES, "cannot be recovered");
    EXPECT_TRUE(drive::WaitUntil([&] { return !Exists(tree); }, 30000)) << "the tree stayed";
    EXPECT_TRUE(drive::WaitUntil([list] { return drive::ListRowCount(list) == 0; }, 10000));
    EXPECT_EQ(ListNames(folder.path()), std::vector<std::string>{"keep.txt"});
    EXPECT_TRUE(Exists(bystander));
    ExitProgram();
}

}  // namespace
