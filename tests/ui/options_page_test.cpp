// The Options page in a sheet of its own: the algorithm box with New, Edit
// and Delete through the real editor, scheduled tasks following their
// algorithm, and the language list with its flags.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "algorithms/AlgorithmStore.h"
#include "engine/EngineState.h"
#include "engine/SettingsStore.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "scheduler/TaskSchedulerClient.h"
#include "support/FakeTaskScheduler.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFolder.h"
#include "ui/CMyPropertyPage1.h"
#include "ui/LanguageListener.h"
#include "win/PropertySheet.h"

extern "C" LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);

namespace {

// Fills the modal editor from another thread once it is up, then presses a button.
class EditorDriver {
public:
    EditorDriver(std::string name, std::string description, bool addPass, int button)
        : thread_([=] { Run(name, description, addPass, button); }) {}
    ~EditorDriver() {
        if (thread_.joinable()) thread_.join();
    }
    bool found() {
        if (thread_.joinable()) thread_.join();
        return found_;
    }

private:
    void Run(const std::string& name, const std::string& description, bool addPass, int button) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        HWND dialog = nullptr;
        while (dialog == nullptr && std::chrono::steady_clock::now() < deadline) {
            dialog = ::FindWindowA("#32770", "Custom Algorithm Editor");
            if (dialog != nullptr && !::IsWindowVisible(dialog)) dialog = nullptr;
            if (dialog == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (dialog == nullptr) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        found_ = true;
        if (!name.empty()) ::SendMessageA(::GetDlgItem(dialog, IDC_EDITOR_NAME), WM_SETTEXT, 0, (LPARAM)name.c_str());
        if (!description.empty())
            ::SendMessageA(::GetDlgItem(dialog, IDC_EDITOR_DESCRIPTION), WM_SETTEXT, 0, (LPARAM)description.c_str());
        if (addPass)
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_ADD, BN_CLICKED),
                           (LPARAM)::GetDlgItem(dialog, IDC_EDITOR_ADD));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, button));
    }

    std::atomic<bool> found_{false};
    std::thread thread_;
};

// A page that only counts how often it was made active.
class CountingPage final : public win::PropertyPage {
public:
    CountingPage() : win::PropertyPage(IDD_OPTIONS_PAGE) {}
    int activations = 0;

protected:
    bool OnSetActive() override {
        ++activations;
        return true;
    }
};

struct CountingListener final : LanguageListener {
    int calls = 0;
    void OnLanguageChanged() override { ++calls; }
};

class OptionsPageTest : public ::testing::Test {
protected:
    const std::string name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string product_ = "Software\\VantrelOptionsTest\\" + name_;
    const AlgorithmStore store_{product_};
    const SettingsStore settings_{"software\\VantrelOptionsTest\\Settings" + name_};
    TestFolder folder_;
    AlgorithmList list_;
    EngineState state_;
    ScriptedInteraction ui_{state_};
    LanguagePack texts_{folder_.path(), "English"};
    std::string caption_ = "Vantrel";
    int methodIndex_ = 0;
    FakeTaskScheduler component_;
    TaskSchedulerClient scheduler_;
    CountingListener listener_;
    std::unique_ptr<CMyPropertyPage1> page_;
    std::unique_ptr<win::PropertySheet> sheet_;

    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ASSERT_TRUE(store_.EnsureProductKey());
        scheduler_.AttachDispatch(&component_, true);
        ASSERT_TRUE(::CreateDirectoryA((folder_ / "Lang").c_str(), nullptr));
    }
    void TearDown() override {
        sheet_.reset();
        page_.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VantrelOptionsTest");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "software\\VantrelOptionsTest");
    }

    void SaveCustom(const std::vector<std::string>& names) {
        AlgorithmList list;
        list.AddBuiltInAlgorithms();
        for (const std::string& name : names) {
            ASSERT_TRUE(store_.SaveAlgorithmAt(ShredAlgorithm{name, "about " + name, {ShredPass::MakeRandom()}, true},
                                               list.count()));
            list.Append(ShredAlgorithm{name, "", {}, true});
        }
    }
    // As at a start: the built-ins, then the store.
    // extraPages: pages behind the Options page, as in the main window.
    void Start(std::vector<CountingPage*> extraPages = {}) {
        list_ = AlgorithmList();
        list_.AddBuiltInAlgorithms();
        store_.LoadCustomAlgorithms(list_);
        methodIndex_ = settings_.ReadInt("Method", 0);
        page_ = std::make_unique<CMyPropertyPage1>(OptionsPageParts{list_, store_, settings_, texts_, caption_,
                                                                    methodIndex_, ui_, &scheduler_, nullptr});
        page_->SetLanguageListener(&listener_);
        sheet_ = std::make_unique<win::PropertySheet>(0, 0);
        sheet_->AddPage(*page_);
        for (CountingPage* extra : extraPages) sheet_->AddPage(*extra);
        ASSERT_TRUE(sheet_->Create(nullptr, true));
        ASSERT_NE(page_->Handle(), nullptr);
    }
    void Stop() {
        sheet_.reset();
        page_.reset();
    }
    HWND Item(int id) const { return page_->Item(id); }
    void Command(int id, int code = BN_CLICKED) const {
        ::SendMessageA(page_->Handle(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Choose(int box, int index) const {
        ::SendMessageA(Item(box), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Command(box, CBN_SELCHANGE);
    }
    int Selected(int box) const { return static_cast<int>(::SendMessageA(Item(box), CB_GETCURSEL, 0, 0)); }
    std::vector<std::string> Algorithms() const {
        std::vector<std::string> names;
        const int count = static_cast<int>(::SendMessageA(Item(IDC_OPTIONS_ALGORITHM), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            ::SendMessageA(Item(IDC_OPTIONS_ALGORITHM), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            names.emplace_back(text);
        }
        return names;
    }
    std::vector<std::string> Languages(std::vector<int>* images = nullptr) const {
        std::vector<std::string> names;
        const int count = static_cast<int>(::SendMessageA(Item(IDC_OPTIONS_LANGUAGE), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[100] = {};
            COMBOBOXEXITEMA item{};
            item.mask = CBEIF_TEXT | CBEIF_IMAGE;
            item.iItem = i;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            ::SendMessageA(Item(IDC_OPTIONS_LANGUAGE), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            names.emplace_back(text);
            if (images != nullptr) images->push_back(item.iImage);
        }
        return names;
    }
    std::string Text(int id) const {
        char text[512] = {};
        ::GetWindowTextA(Item(id), text, sizeof(text));
        return text;
    }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void Pack(const std::string& name, const std::string& body) const {
        const std::string text = "[Korvex Language Pack]\r\n" + body;
        WriteBytes(folder_ / ("Lang\\" + name + ".ini"), std::vector<uint8_t>(text.begin(), text.end()));
    }
    // A 16 x 16 bitmap of one colour.
    void Flag(const std::string& name) const {
        std::vector<uint8_t> bmp(54 + 16 * 16 * 3, 0x80);
        auto put32 = [&bmp](size_t at, uint32_t value) {
            for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
        };
        bmp[0] = 'B', bmp[1] = 'M';
        put32(2, static_cast<uint32_t>(bmp.size()));
        put32(6, 0);
        put32(10, 54);
        put32(14, 40);
        put32(18, 16);
        put32(22, 16);
        put32(26, 1 | (24 << 16));
        put32(30, 0);
        put32(34, 16 * 16 * 3);
        for (size_t at = 38; at < 54; ++at) bmp[at] = 0;
        WriteBytes(folder_ / ("Lang\\" + name + ".bmp"), bmp);
    }
};

TEST_F(OptionsPageTest, NewEditAndDeleteOfCustomAlgorithmsKeepBoxListStoreAndTasksInStep) {
    SaveCustom({"Five", "Six", "Seven"});
    settings_.WriteInt("Method", 6);
    FakeTask& onSeven = component_.AddExisting("On seven", "Vantrel", "\"/s\" \"On seven\" \"/O7\" \"C:\\a\"");
    FakeTask& onSix = component_.AddExisting("On six", "Vantrel", "\"/s\" \"On six\" \"/O6\" \"recycle\"");
    Start();
    ASSERT_EQ(Algorithms().size(), 8u);
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 6);
    EXPECT_EQ(Text(IDC_OPTIONS_DESCRIPTION), "about Six");
    EXPECT_TRUE(Enabled(IDC_OPTIONS_EDIT));
    EXPECT_TRUE(Enabled(IDC_OPTIONS_DELETE));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_OPTIONS_UPDATE)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_OPTIONS_UPDATE_GROUP)));

    Choose(IDC_OPTIONS_ALGORITHM, 1);
    EXPECT_EQ(settings_.ReadInt("Method", -1), 1);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_EDIT)) << "built-ins cannot be edited";
    EXPECT_FALSE(Enabled(IDC_OPTIONS_DELETE));

    {  // New, then Cancel: nothing changes.
        EditorDriver driver("Nope", "x", true, IDCANCEL);
        Command(IDC_OPTIONS_NEW);
        EXPECT_TRUE(driver.found());
    }
    EXPECT_EQ(Algorithms().size(), 8u);

    Choose(IDC_OPTIONS_ALGORITHM, 6);
    {
        EditorDriver driver("Sixth", "", false, IDC_EDITOR_SAVE);
        Command(IDC_OPTIONS_EDIT);
        EXPECT_TRUE(driver.found());
    }
    EXPECT_EQ(Algorithms()[6], "Sixth");
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 6);
    EXPECT_EQ(list_.at(6).name, "Sixth");

    Command(IDC_OPTIONS_DELETE);
    EXPECT_EQ(Algorithms(), (std::vector<std::string>{"Quick Shred", "U.S. Standard, DoD 5220.22-M",
                                                      "NAVSO P-5239-26 (RLL)", "NAVSO P-5239-26 (MFM)",
                                                      "German Standard, VSITR", "Five", "Seven"}));
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 0);
    EXPECT_EQ(settings_.ReadInt("Method", -1), 0);
    EXPECT_FALSE(Enabled(IDC_OPTIONS_DELETE));
    EXPECT_EQ(list_.at(6).name, "Seven");
    EXPECT_EQ(onSeven.parameters, "\"/s\" \"On seven\" \"/O6\" \"C:\\a\"") << "still shreds with Seven";
    EXPECT_EQ(onSix.parameters, "\"/s\" \"On six\" \"/O0\" \"recycle\"");
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_NE(ui_.messages[0].text.find("On six"), std::string::npos);
    EXPECT_EQ(ui_.messages[0].text.find("On seven"), std::string::npos);

    {
        EditorDriver driver("Alpha", "first by name", true, IDC_EDITOR_SAVE);
        Command(IDC_OPTIONS_NEW);
        EXPECT_TRUE(driver.found());
    }
    EXPECT_EQ(Algorithms().back(), "Alpha");
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 0) << "the selection does not change";
    Choose(IDC_OPTIONS_ALGORITHM, 6);

    // A restart gives every algorithm its position again, though the
    // registry lists "Alpha" first: the choice and the task still mean Seven.
    Stop();
    Start();
    EXPECT_EQ(Algorithms()[6], "Seven");
    EXPECT_EQ(Algorithms()[7], "Alpha");
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 6);
    EXPECT_EQ(list_.at(6).name, "Seven");
    EXPECT_EQ(onSeven.parameters, "\"/s\" \"On seven\" \"/O6\" \"C:\\a\"");
}

TEST_F(OptionsPageTest, DeletingAnAlgorithmWhoseKeyIsGoneSaysSoAndMovesNothing) {
    SaveCustom({"Five", "Six", "Seven"});
    settings_.WriteInt("Method", 6);
    const std::string onSevenLine = "\"/s\" \"On seven\" \"/O7\" \"C:\\a\"";
    FakeTask& onSeven = component_.AddExisting("On seven", "Vantrel", onSevenLine);
    FakeTask& onSix = component_.AddExisting("On six", "Vantrel", "\"/s\" \"On six\" \"/O6\" \"recycle\"");
    Start();
    // Removed behind the page's back, by a person or another copy of the program.
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, (product_ + "\\Algorithms\\Six").c_str()), ERROR_SUCCESS);
    Command(IDC_OPTIONS_DELETE);
    std::string told = texts_.Text(15243);
    told.replace(told.find("%s"), 2, "Six");
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, told);
    ASSERT_EQ(Algorithms().size(), 8u);
    EXPECT_EQ(Algorithms()[6] + "|" + Algorithms()[7], "Six|Seven");
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 6);
    EXPECT_EQ(settings_.ReadInt("Method", -1), 6);
    ASSERT_EQ(list_.count(), 8u);
    EXPECT_EQ(list_.at(7).name, "Seven");
    EXPECT_EQ(onSeven.parameters, onSevenLine);
    EXPECT_EQ(onSeven.commits + onSix.commits, 0) << "no task renumbered";
}

TEST_F(OptionsPageTest, AMethodOutsideTheListFallsBackToTheFirstAndIsStored) {
    settings_.WriteInt("Method", 42);
    Start();
    EXPECT_EQ(Selected(IDC_OPTIONS_ALGORITHM), 0);
    EXPECT_EQ(methodIndex_, 0);
    EXPECT_EQ(settings_.ReadInt("Method", -1), 0);
}

TEST_F(OptionsPageTest, VerifyTheLastPassShowsTheSettingAndStoresEveryClickAtOnce) {
    settings_.WriteInt("Verify", 1);
    Start();
    EXPECT_EQ(Text(IDC_OPTIONS_VERIFY), "&Verify the last pass");
    EXPECT_EQ(::SendMessageA(Item(IDC_OPTIONS_VERIFY), BM_GETCHECK, 0, 0), BST_CHECKED);
    ::SendMessageA(Item(IDC_OPTIONS_VERIFY), BM_CLICK, 0, 0);
    EXPECT_EQ(settings_.ReadInt("Verify", -1), 0);
    ::SendMessageA(Item(IDC_OPTIONS_VERIFY), BM_CLICK, 0, 0);
    EXPECT_EQ(settings_.ReadInt("Verify", -1), 1);
}

TEST_F(OptionsPageTest, LanguagesWithoutAFlagGoLastAndSwitchingAppliesAtOnce) {
    Pack("A", "");
    Pack("B", "");
    Pack("C", "9001=&Algorithmus\r\n9061=Neu starten\r\n9610=Vantrel C\r\n");
    Pack("Bad..Name", "9001=Hacked\r\n");
    Flag("A");
    Flag("C");
    texts_ = LanguagePack(folder_.path(), "a");  // stored in other letter case
    Start();

    std::vector<std::string> listed;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder_ / "Lang\\*.ini").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do listed.emplace_back(found.cFileName); while (::FindNextFileA(find, &found));
    ::FindClose(find);
    // Flagged languages in the listing's order, then those without a flag.
    std::vector<std::string> expected;
    for (const std::string& file : listed)
        if (file == "A.ini" || file == "C.ini") expected.push_back(file.substr(0, 1));
    expected.push_back("B");
    if (listed == std::vector<std::string>{"A.ini", "B.ini", "Bad..Name.ini", "C.ini"}) {
        EXPECT_EQ(expected, (std::vector<std::string>{"A", "C", "B"}));
    }
    std::vector<int> images;
    EXPECT_EQ(Languages(&images), expected) << "Bad..Name is no language";
    EXPECT_EQ(images, (std::vector<int>{0, 1, -1})) << "B has no flag";
    const int a = static_cast<int>(std::find(expected.begin(), expected.end(), "A") - expected.begin());
    const int c = static_cast<int>(std::find(expected.begin(), expected.end(), "C") - expected.begin());
    EXPECT_EQ(Selected(IDC_OPTIONS_LANGUAGE), a);

    texts_ = LanguagePack(folder_.path(), "A");
    Choose(IDC_OPTIONS_LANGUAGE, a);  // the current one again
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(settings_.ReadString("Language", "unset"), "unset");
    EXPECT_EQ(listener_.calls, 0);

    Choose(IDC_OPTIONS_LANGUAGE, c);
    EXPECT_EQ(settings_.ReadString("Language", "unset"), "C");
    EXPECT_EQ(texts_.currentLanguage(), "C");
    EXPECT_EQ(listener_.calls, 1);
    EXPECT_EQ(Text(IDC_OPTIONS_ALGORITHM_GROUP), "&Algorithmus");
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "Neu starten");
    EXPECT_EQ(ui_.messages[0].caption, "Vantrel C");
    EXPECT_EQ(ui_.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONHAND));
}

TEST_F(OptionsPageTest, AChangedLanguageVisitsTheSchedulerPageAndComesBack) {
    Pack("English", "");
    Pack("C", "9001=&Algorithmus\r\n");
    texts_ = LanguagePack(folder_.path(), "English");
    std::vector<CountingPage> pages(7);
    std::vector<CountingPage*> extra;
    for (CountingPage& page : pages) extra.push_back(&page);
    Start(extra);
    const std::vector<std::string> shown = Languages();
    ASSERT_EQ(shown.size(), 2u);
    Choose(IDC_OPTIONS_LANGUAGE, shown[0] == "C" ? 0 : 1);
    EXPECT_EQ(pages[4].activations, 1) << "page 5 of the sheet";
    EXPECT_EQ(sheet_->ActivePageIndex(), 0);
    EXPECT_EQ(Text(IDC_OPTIONS_ALGORITHM_GROUP), "&Algorithmus");
    Stop();
}

TEST_F(OptionsPageTest, AHostileLanguageNameReadsNothingOutsideLangAndSelectsNothing) {
    Pack("English", "");
    const std::string outside = "[Korvex Language Pack]\r\n9001=Hacked\r\n";
    WriteBytes(folder_ / "Outside.ini", std::vector<uint8_t>(outside.begin(), outside.end()));
    for (const std::string& hostile : {std::string("..\\Outside"), folder_ / "Outside", std::string(3000, 'E')}) {
        texts_ = LanguagePack(folder_.path(), hostile);
        Start();
        EXPECT_EQ(Text(IDC_OPTIONS_ALGORITHM_GROUP), "&Algorithm Selection") << hostile.substr(0, 30);
        EXPECT_EQ(Selected(IDC_OPTIONS_LANGUAGE), -1);
        Stop();
    }
}

}  // namespace
