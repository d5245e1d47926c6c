// Shred Files and Shred Folders as a user works them: the system's pickers
// fill the list, Shred Now asks, and what was listed is gone from the disk.
#include "journeys/Journey.h"

#include "journeys/FilePicker.h"
#include "res/resource.h"
#include "support/TestFolder.h"

namespace {

constexpr int kFilesTab = 1;
constexpr int kFoldersTab = 2;

class FilesAndFoldersJourney : public Journey {};

TEST_F(FilesAndFoldersJourney, BrowseAddsTwoFilesAndShredNowLeavesNeitherOnTheDisk) {
    TestFolder folder;
    const std::string first = folder.MakeFile("first report.txt", 70000);
    const std::string second = folder.MakeFile("second.bin", 1000);
    const std::string bystander = folder.MakeFile("keep.txt", 500);
    StartProgram();
    HWND page = ShowTab(kFilesTab);

    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_BROWSE));
    HWND dialog = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(dialog, nullptr) << "Browse opened no dialog";
    OpenFolder(dialog, folder.path());
    TypeAndOpen(dialog, "\"first report.txt\" \"second.bin\"");
    ASSERT_TRUE(drive::WaitUntil([dialog] { return !::IsWindow(dialog); }, 10000)) << "the dialog stayed open";
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

}  // namespace
