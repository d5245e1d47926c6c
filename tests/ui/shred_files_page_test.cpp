// The Shred Files page as a real window in a sheet, driven by drops, clicks
// and row selections, with scripted answers.
#include <gtest/gtest.h>

#include "PageHarness.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage2.h"
#include "ui/PathNames.h"

namespace {

class ShredFilesPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Open();
        ASSERT_TRUE(page.created);
    }
    std::vector<std::string> Files(int count) {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) paths.push_back(folder.MakeFile("f" + std::to_string(i) + ".txt", 70000));
        return paths;
    }
    std::vector<std::string> Listed() { return Utf8(page.page->fileList().paths()); }

    TestFolder folder;
    PageHarness<CMyPropertyPage2> page;
};

TEST_F(ShredFilesPageTest, DropsListEachFileOnceAndRefuseFoldersOneBoxEach) {
    const std::string a = folder.MakeFile("a.txt", 10);
    const std::string b = folder.MakeFile("b.txt", 10);
    const std::string sub = folder.MakeDir("sub");
    std::string upper = a;
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    page.Drop({a, sub, upper, b});
    page.Drop({a});
    EXPECT_EQ(page.Rows(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(Listed(), page.Rows());
    ASSERT_EQ(page.engine.ui.messages.size(), 1u);
    EXPECT_EQ(page.engine.ui.messages[0].text, page.engine.texts.Text(9017));
    EXPECT_EQ(page.engine.ui.messages[0].flags, static_cast<unsigned>(MB_ICONERROR));
}

TEST_F(ShredFilesPageTest, NamesAreNeverCut) {
    const std::string longName = folder.path() + "\\" + std::string(300, 'n') + ".txt";
    HDROP drop = MakeDrop({longName, folder / "short.txt"});
    const std::vector<std::string> names = Utf8(DroppedNames(drop));
    ::DragFinish(drop);
    EXPECT_EQ(names, (std::vector<std::string>{longName, folder / "short.txt"}));

    // Past MAX_PATH and in any script, a name is listed whole, as itself.
    const std::string file = folder.MakeFile("ok.txt", 1);
    const std::string greek = folder / "\xCE\xB1\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xBF \xF0\x9F\x93\x84.txt";
    page.Drop({longName, file, greek});
    EXPECT_EQ(page.Rows(), (std::vector<std::string>{longName, file, greek}));
    EXPECT_EQ(Listed(), (std::vector<std::string>{longName, file, greek}));
    EXPECT_TRUE(page.engine.ui.messages.empty());

    const wchar_t result[] = L"T:\\dir\0one.txt\0two.txt\0\0";
    EXPECT_EQ(Utf8(SplitOpenFileNames(result, sizeof(result) / sizeof(result[0]))),
              (std::vector<std::string>{"T:\\dir\\one.txt", "T:\\dir\\two.txt"}));
    const wchar_t single[] = L"T:\\dir\\one.txt\0\0";
    EXPECT_EQ(Utf8(SplitOpenFileNames(single, sizeof(single) / sizeof(single[0]))), (std::vector<std::string>{"T:\\dir\\one.txt"}));
}

TEST_F(ShredFilesPageTest, RemoveItemTakesEverySelectedRowAndRemoveAllAsksFirst) {
    const std::vector<std::string> files = Files(4);
    page.Click(IDC_TARGETS_REMOVE_ITEM);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9018));
    page.Drop(files);
    page.SelectRows({0, 2, 3});
    page.Click(IDC_TARGETS_REMOVE_ITEM);
    EXPECT_EQ(page.Rows(), (std::vector<std::string>{files[1]}));
    EXPECT_EQ(Listed(), page.Rows());

    page.engine.ui.messageAnswers = {IDNO};
    page.Click(IDC_TARGETS_REMOVE_ALL);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9066));
    EXPECT_EQ(page.engine.ui.messages.back().flags, static_cast<unsigned>(MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2));
    EXPECT_EQ(Listed().size(), 1u) << "No keeps the list";
    page.engine.ui.messageAnswers = {IDYES};
    page.Click(IDC_TARGETS_REMOVE_ALL);
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(page.list.RowCount(), 0);
    page.Click(IDC_TARGETS_REMOVE_ALL);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9068));
}

TEST_F(ShredFilesPageTest, ColumnFollowsTheLongestPathAndFallsBackToTheHeader) {
    const std::string header = page.engine.texts.Text(9108);
    EXPECT_EQ(page.list.HeaderText(0), header);
    EXPECT_EQ(page.list.ColumnWidth(0), page.list.TextWidth(header) + 15);
    const std::string longFile = folder.MakeFile(std::string(120, 'w') + ".txt", 1);
    page.Drop({longFile});
    EXPECT_EQ(page.list.ColumnWidth(0), page.list.TextWidth(longFile) + 15);
    page.engine.ui.messageAnswers = {IDYES};
    page.Click(IDC_TARGETS_REMOVE_ALL);
    EXPECT_EQ(page.list.ColumnWidth(0), page.list.TextWidth(header) + 15);
}

TEST_F(ShredFilesPageTest, ShredNowAsksThenShredsAllButTheFileAnsweredNo) {
    page.Click(IDC_TARGETS_SHRED_NOW);
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9021));
    const std::vector<std::string> files = Files(3);
    ::SetFileAttributesA(files[1].c_str(), FILE_ATTRIBUTE_READONLY);
    page.Drop(files);

    page.engine.ui.messageAnswers = {IDNO};
    page.Click(IDC_TARGETS_SHRED_NOW);
    EXPECT_EQ(page.engine.ui.messages.back().caption, page.engine.texts.Text(9064));
    EXPECT_EQ(page.engine.ui.messages.back().text, page.engine.texts.Text(9032));
    EXPECT_EQ(Listed().size(), 3u) << "declined: nothing happens";
    EXPECT_TRUE(Exists(files[0]));

    page.engine.state.answers.attributeYesToAll = true;  // left over from an earlier job
    page.engine.ui.messageAnswers = {IDYES};
    page.engine.ui.confirmAnswers = {ConfirmNo};
    page.Click(IDC_TARGETS_SHRED_NOW);
    EXPECT_FALSE(Exists(files[0]));
    EXPECT_TRUE(Exists(files[1]));
    EXPECT_EQ(ReadBytes(files[1]).size(), 70000u) << "the file answered No is untouched";
    EXPECT_FALSE(Exists(files[2]));
    EXPECT_EQ(page.engine.ui.confirms.size(), 1u);
    // The file answered No stays listed, and the user is told.
    EXPECT_EQ(Listed(), std::vector<std::string>{files[1]});
    EXPECT_EQ(page.list.RowCount(), 1);
    EXPECT_EQ(page.engine.ui.messages.back().text,
              "1 of the listed items were not shredded, in whole or in part. They stay in the list.");
    EXPECT_EQ(page.engine.ui.progressClosed, 1);
    EXPECT_FALSE(page.engine.state.jobRunning);
}

TEST_F(ShredFilesPageTest, CancelAtTheFirstFilesDeletionQuestionLeavesTheOthers) {
    const std::vector<std::string> files = Files(3);
    page.Drop(files);
    // The first file turns read-only while it is overwritten, so its deletion fails.
    page.engine.ui.onPump = [&] { ::SetFileAttributesA(files[0].c_str(), FILE_ATTRIBUTE_READONLY); };
    page.engine.ui.messageAnswers = {IDYES, IDCANCEL, IDOK};
    page.Click(IDC_TARGETS_SHRED_NOW);
    page.engine.ui.onPump = nullptr;
    ::SetFileAttributesA(files[0].c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(page.engine.ui.messages.size(), 3u);
    EXPECT_NE(page.engine.ui.messages[1].text.find(files[0]), std::string::npos);
    EXPECT_TRUE(ReadBytes(files[0]).empty());
    EXPECT_EQ(ReadBytes(files[1]).size(), 70000u);
    EXPECT_EQ(ReadBytes(files[2]).size(), 70000u);
    EXPECT_EQ(Listed(), files) << "none was shredded: all stay listed";
}

TEST_F(ShredFilesPageTest, ScheduleHandsOnTheListAndEmptiesItOnlyWhenTold) {
    const std::vector<std::string> files = Files(3);
    page.Drop(files);
    page.schedule.created = false;
    page.Click(IDC_TARGETS_SCHEDULE);
    ASSERT_EQ(page.schedule.requests.size(), 1u);
    EXPECT_EQ(page.schedule.requests[0], files) << "the whole list, in the order added";
    EXPECT_EQ(Listed().size(), 3u) << "no task: the list stays";

    page.schedule.created = true;
    page.Click(IDC_TARGETS_SCHEDULE);
    EXPECT_EQ(page.schedule.requests.size(), 2u);
    EXPECT_TRUE(Listed().empty());
}

TEST(ShredFilesPageGuards, ScheduleDisabledWithoutTheComponentAndNoSecondJob) {
    TestFolder folder;
    PageHarness<CMyPropertyPage2> page;
    page.engine.machine.schedulerUnavailable = true;
    page.Open();
    const std::string file = folder.MakeFile("kept.txt", 10);
    page.Drop({file});
    EXPECT_FALSE(::IsWindowEnabled(page.page->Item(IDC_TARGETS_SCHEDULE)));
    page.Click(IDC_TARGETS_SCHEDULE);
    EXPECT_TRUE(page.schedule.requests.empty());
    EXPECT_TRUE(page.engine.ui.messages.empty());
    char caption[64];
    ::GetDlgItemTextA(page.page->Handle(), IDC_TARGETS_SHRED_NOW, caption, sizeof(caption));
    EXPECT_STREQ(caption, page.engine.texts.Text(9105).c_str());

    page.engine.state.jobRunning = true;
    page.engine.ui.messageAnswers = {IDYES, IDYES};
    page.Click(IDC_TARGETS_SHRED_NOW);
    page.Click(IDC_TARGETS_REMOVE_ALL);
    page.Drop({folder.MakeFile("other.txt", 10)});
    EXPECT_TRUE(page.engine.ui.messages.empty()) << "while a job runs the page starts nothing";
    EXPECT_EQ(Utf8(page.page->fileList().paths()), (std::vector<std::string>{file}));
    EXPECT_TRUE(Exists(file));
    page.engine.state.jobRunning = false;
}

}  // namespace
