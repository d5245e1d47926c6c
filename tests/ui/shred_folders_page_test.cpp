// The Shred Folders page and its SubFolder Options dialog as real windows,
// driven by drops, clicks and row selections, with scripted answers.
#include <gtest/gtest.h>

#include "PageHarness.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage3.h"
#include "ui/SubFolderOptionsDlg.h"
#include "win/DialogLook.h"

namespace {

class ShredFoldersPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.engine.settings.WriteInt("Folder", 0);
        page.engine.settings.WriteInt("Remove", 0);
    }
    void TearDown() override {
        page.engine.settings.WriteInt("Folder", 0);
        page.engine.settings.WriteInt("Remove", 0);
    }
    std::vector<std::string> Listed() { return Utf8(page.page->folderList().paths()); }

    TestFolder folder;
    PageHarness<CMyPropertyPage3> page;
};

TEST_F(ShredFoldersPageTest, DropsListFoldersOnceByTheirFullPathAndRefuseFiles) {
    page.Open();
    const std::string a = folder.MakeDir("a");
    const std::string file = folder.MakeFile("f.txt", 1);
    std::string upper = a;
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    page.Drop({a, file, upper, a + "\\..\\a", a + "\\", TestDriveRoot()});
    EXPECT_EQ(page.Rows(), (std::vector<std::string>{a})) << "one form, the full path, listed once";
    EXPECT_EQ(Listed(), page.Rows());
    EXPECT_EQ(page.MessageTexts(),
              (std::vector<std::string>{page.engine.texts.Text(9024), page.engine.texts.Text(9087)}));
}

TEST_F(ShredFoldersPageTest, RemoveItemWithSeveralRowsKeepsListAndRowsTogether) {
    page.Open();
    std::vector<std::string> dirs;
    for (int i = 0; i < 5; ++i) dirs.push_back(folder.MakeDir("d" + std::to_string(i)));
    page.Drop(dirs);
    page.Click(IDC_TARGETS_REMOVE_ITEM);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9025));
    page.SelectRows({0, 2, 4});
    page.Click(IDC_TARGETS_REMOVE_ITEM);
    EXPECT_EQ(page.Rows(), (std::vector<std::string>{dirs[1], dirs[3]}));
    EXPECT_EQ(Listed(), page.Rows());
    page.engine.ui.messageAnswers = {IDNO};
    page.Click(IDC_TARGETS_REMOVE_ALL);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9067));
    EXPECT_EQ(Listed().size(), 2u);
}

TEST_F(ShredFoldersPageTest, StoredOptionsOutOfRangeAreRewrittenAtStart) {
    page.engine.settings.WriteInt("Folder", 7);
    page.engine.settings.WriteInt("Remove", 2);
    page.Open();
    EXPECT_EQ(page.engine.settings.ReadInt("Folder", -1), 0);
    EXPECT_EQ(page.engine.settings.ReadInt("Remove", -1), 2);
    EXPECT_EQ(page.page->shredSubfolders(), 0);
    EXPECT_EQ(page.page->removeSubfolders(), 2);
    EXPECT_EQ(page.list.HeaderText(0), page.engine.texts.Text(9209));
    EXPECT_TRUE(::IsWindowEnabled(page.page->Item(IDC_TARGETS_SCHEDULE)));
}

TEST_F(ShredFoldersPageTest, SubFolderOptionsDisableRemoveForNeverAndWriteOnlyOnOk) {
    page.Open();
    SubFolderOptionsDlg dialog(page.services);
    ASSERT_TRUE(dialog.Create(page.page->Handle()));
    HWND window = dialog.Handle();
    char title[64];
    ::GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "SubFolder Options");
    EXPECT_EQ(::IsDlgButtonChecked(window, IDC_SUBFOLDER_SHRED_NEVER), BST_CHECKED);
    EXPECT_FALSE(::IsWindowEnabled(dialog.Item(IDC_SUBFOLDER_REMOVE_GROUP)));
    EXPECT_FALSE(::IsWindowEnabled(dialog.Item(IDC_SUBFOLDER_REMOVE_ALWAYS)));
    ::SendMessageA(dialog.Item(IDC_SUBFOLDER_SHRED_PROMPT), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowEnabled(dialog.Item(IDC_SUBFOLDER_REMOVE_GROUP)));
    ::SendMessageA(dialog.Item(IDC_SUBFOLDER_REMOVE_ALWAYS), BM_CLICK, 0, 0);
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(page.engine.settings.ReadInt("Folder", -1), 0) << "Cancel writes nothing";
    EXPECT_EQ(page.engine.settings.ReadInt("Remove", -1), 0);

    SubFolderOptionsDlg second(page.services);
    ASSERT_TRUE(second.Create(page.page->Handle()));
    ::SendMessageA(second.Item(IDC_SUBFOLDER_SHRED_ALWAYS), BM_CLICK, 0, 0);
    ::SendMessageA(second.Item(IDC_SUBFOLDER_REMOVE_PROMPT), BM_CLICK, 0, 0);
    ::SendMessageA(second.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(page.engine.settings.ReadInt("Folder", -1), 2);
    EXPECT_EQ(page.engine.settings.ReadInt("Remove", -1), 1);
}

TEST_F(ShredFoldersPageTest, SubFolderOptionsTakeTheProgramsDialogColours) {
    page.Open();
    const win::DialogLook look{RGB(255, 189, 252), RGB(0, 0, 0)};
    PageServices services = page.services;
    services.look = &look;
    SubFolderOptionsDlg dialog(services);
    ASSERT_TRUE(dialog.Create(page.page->Handle()));
    HDC dc = ::GetDC(dialog.Handle());
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
        dialog.Handle(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog.Handle())));
    ::ReleaseDC(dialog.Handle(), dc);
    LOGBRUSH colour{};
    ASSERT_NE(brush, nullptr);
    ASSERT_EQ(::GetObjectA(brush, sizeof colour, &colour), static_cast<int>(sizeof colour));
    EXPECT_EQ(colour.lbColor, RGB(255, 189, 252));
}

TEST_F(ShredFoldersPageTest, ShredNowStopsAtTheFirstFolderWhoseWalkAsksToStop) {
    page.Open();
    page.Click(IDC_TARGETS_SHRED_NOW);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9022));
    page.engine.ui.messages.clear();
    const std::string a = folder.MakeDir("a");
    const std::string stuck = folder.MakeFile("a\\stuck.txt", 1000, FILE_ATTRIBUTE_READONLY);
    const std::string b = folder.MakeDir("b");
    const std::string kept = folder.MakeFile("b\\kept.txt", 1000);
    page.Drop({a, b});
    // Cancel at the attribute question: the walk of a returns 1 without a cancel.
    page.engine.ui.messageAnswers = {IDYES};
    page.engine.ui.confirmAnswers = {ConfirmCancel};
    page.Click(IDC_TARGETS_SHRED_NOW);
    EXPECT_EQ(page.engine.ui.messages[0].text, page.engine.texts.Text(9023));
    EXPECT_EQ(page.engine.ui.messages[0].caption, page.engine.texts.Text(9064));
    EXPECT_FALSE(page.engine.state.cancelRequested);
    EXPECT_TRUE(Exists(stuck));
    EXPECT_EQ(ReadBytes(kept).size(), 1000u) << "the job stopped before the second folder";
    EXPECT_EQ(Listed(), (std::vector<std::string>{a, b})) << "neither was shredded: both stay listed";
    EXPECT_EQ(page.list.RowCount(), 2);
    ::SetFileAttributesA(stuck.c_str(), FILE_ATTRIBUTE_NORMAL);

    page.engine.ui.messageAnswers = {IDYES};
    page.Click(IDC_TARGETS_SHRED_NOW);
    EXPECT_FALSE(Exists(a)) << "an emptied top folder is removed";
    EXPECT_FALSE(Exists(b));
    EXPECT_TRUE(Listed().empty());
}

TEST_F(ShredFoldersPageTest, ScheduleHandsOnTheListAndEmptiesItOnlyWhenTold) {
    page.Open();
    const std::string a = folder.MakeDir("a");
    const std::string b = folder.MakeDir("b");
    page.Drop({a, b});
    page.schedule.created = false;
    page.Click(IDC_TARGETS_SCHEDULE);
    ASSERT_EQ(page.schedule.requests.size(), 1u);
    EXPECT_EQ(page.schedule.requests[0], (std::vector<std::string>{a, b}));
    EXPECT_EQ(Listed().size(), 2u);

    page.schedule.created = true;
    page.Click(IDC_TARGETS_SCHEDULE);
    EXPECT_TRUE(Listed().empty());
}

TEST(ShredFoldersPageGuards, ScheduleDisabledWithoutTheComponent) {
    TestFolder folder;
    PageHarness<CMyPropertyPage3> page;
    page.engine.machine.schedulerUnavailable = true;
    page.Open();
    page.Drop({folder.MakeDir("a")});
    EXPECT_FALSE(::IsWindowEnabled(page.page->Item(IDC_TARGETS_SCHEDULE)));
    page.Click(IDC_TARGETS_SCHEDULE);
    EXPECT_TRUE(page.schedule.requests.empty());
    EXPECT_EQ(page.page->folderList().paths().size(), 1u);
    char caption[64];
    ::GetDlgItemTextA(page.page->Handle(), IDC_TARGETS_SUBFOLDER_OPTIONS, caption, sizeof(caption));
    EXPECT_STREQ(caption, "SubFolder &Options");
}

}  // namespace
