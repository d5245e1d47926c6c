// Shred Options as a user works it: a new algorithm of two passes made in the
// editor and chosen, the program switched to German and back with every
// page's captions and list headers following, and the algorithm deleted.
#include "journeys/Journey.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

constexpr int kOptionsTab = 0;
constexpr int kTranslatedTabs = 7;  // every tab but the About page's
constexpr char kAlgorithmsKey[] = "Software\\Vantrel\\Algorithms";

// What one tab's page shows: the tab, the page's captions and its list headers.
struct PageTexts {
    std::string tab;
    std::vector<std::string> captions;
    std::vector<std::string> headers;
    bool operator==(const PageTexts& other) const {
        return tab == other.tab && captions == other.captions && headers == other.headers;
    }
};

std::vector<std::string> Headers(HWND page) {
    std::vector<std::string> headers;
    for (HWND list = ::FindWindowExA(page, nullptr, "SysListView32", nullptr); list != nullptr;
         list = ::FindWindowExA(page, list, "SysListView32", nullptr)) {
        HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
        const int columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < columns; ++column) headers.push_back(drive::ListHeaderText(list, column));
    }
    return headers;
}

std::string PackText(const std::string& language, int id) {
    char text[512] = "";
    ::GetPrivateProfileStringA("Korvex Language Pack", std::to_string(id).c_str(), "<missing>", text, sizeof(text),
                               (ProgramFolder() + "\\Lang\\" + language + ".ini").c_str());
    return text;
}

bool AlgorithmStored(const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kAlgorithmsKey) + "\\" + name).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

int LanguageItem(HWND languages, const std::string& language) {
    for (int i = 0; i < drive::ComboCount(languages); ++i)
        if (drive::ComboExItemText(languages, i) == language) return i;
    return -1;
}

class OptionsJourney : public Journey {
protected:
    std::vector<PageTexts> EveryPage() {
        std::vector<PageTexts> pages;
        for (int tab = 0; tab < kTranslatedTabs; ++tab) {
            HWND page = ShowTab(tab);
            pages.push_back({drive::TabText(mainWindow, tab), drive::ChildTexts(page), Headers(page)});
        }
        ShowTab(kOptionsTab);
        return pages;
    }

    void ChooseLanguage(const std::string& language) {
        HWND page = ShowTab(kOptionsTab);
        HWND languages = ::GetDlgItem(page, IDC_OPTIONS_LANGUAGE);
        const int item = LanguageItem(languages, language);
        ASSERT_GE(item, 0) << language << " is not offered";
        ASSERT_TRUE(drive::ChooseComboItem(languages, item));
        AnswerBox(IDOK);
    }
};

TEST_F(OptionsJourney, ANewAlgorithmIsChosenTheProgramSpeaksGermanAndBackAndTheAlgorithmGoes) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kAlgorithmsKey) + "\\Two passes").c_str());
    StartProgram();
    HWND page = ShowTab(kOptionsTab);
    HWND algorithms = ::GetDlgItem(page, IDC_OPTIONS_ALGORITHM);

    // New: two passes, random then its complement, saved under a name.
    ASSERT_TRUE(drive::ClickItem(page, IDC_OPTIONS_NEW));
    HWND editor = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(editor, nullptr) << "New opened no editor";
    ASSERT_TRUE(drive::Type(::GetDlgItem(editor, IDC_EDITOR_NAME), "Two passes"));
    ASSERT_TRUE(drive::Type(::GetDlgItem(editor, IDC_EDITOR_DESCRIPTION), "Random data, then its complement"));
    ASSERT_TRUE(drive::ClickItem(editor, IDC_EDITOR_ADD));
    ASSERT_TRUE(drive::ClickWhenEnabled(editor, IDC_EDITOR_RANDOM_RADIO));
    ASSERT_TRUE(drive::ClickItem(editor, IDC_EDITOR_ADD));
    ASSERT_TRUE(drive::ClickWhenEnabled(editor, IDC_EDITOR_COMPLEMENT_RADIO));
    HWND passes = ::GetDlgItem(editor, IDC_EDITOR_PASSES);
    ASSERT_TRUE(drive::WaitUntil(
        [passes] { return drive::ListItemText(passes, 1, 1).find("complement") != std::string::npos; }, 5000))
        << drive::ListItemText(passes, 1, 1);
    EXPECT_EQ(drive::ListRowCount(passes), 2);
    ASSERT_TRUE(drive::ClickItem(editor, IDC_EDITOR_SAVE));
    ASSERT_TRUE(drive::WaitUntil([editor] { return !::IsWindow(editor); }, 10000)) << "the editor stayed open";
    EXPECT_TRUE(AlgorithmStored("Two passes"));
    // The new algorithm comes last in the box, after the five built in.
    const int count = drive::ComboCount(algorithms);
    ASSERT_GE(count, 6) << "the new algorithm is not in the box";
    ASSERT_TRUE(drive::ChooseComboItem(algorithms, count - 1));
    EXPECT_EQ(drive::WindowText(algorithms), "Two passes");
    ASSERT_TRUE(drive::WaitUntil([] { return ReadSettingText("Method") == "<not text>"; }, 5000));
    EXPECT_EQ(drive::WindowText(::GetDlgItem(page, IDC_OPTIONS_DESCRIPTION)), "Random data, then its complement");

    // German: every tab, every page's captions and its list headers change;
    // English again brings back exactly what was shown before.
    const std::vector<PageTexts> english = EveryPage();
    ChooseLanguage("German");
    const std::vector<PageTexts> german = EveryPage();
    for (int tab = 0; tab < kTranslatedTabs; ++tab) {
        EXPECT_EQ(german[tab].tab, PackText("German", 9600 + tab));
        EXPECT_NE(german[tab].captions, english[tab].captions) << "tab " << tab << " kept its English captions";
        EXPECT_EQ(german[tab].headers.size(), english[tab].headers.size());
        for (size_t column = 0; column < german[tab].headers.size(); ++column)
            EXPECT_NE(german[tab].headers[column], english[tab].headers[column]) << "tab " << tab;
    }
    EXPECT_EQ(german[3].headers.at(0), PackText("German", 9309));
    EXPECT_EQ(german[5].headers.at(0), PackText("German", 9508));
    ChooseLanguage("English");
    const std::vector<PageTexts> back = EveryPage();
    for (int tab = 0; tab < kTranslatedTabs; ++tab) {
        EXPECT_EQ(back[tab].tab, english[tab].tab);
        EXPECT_EQ(back[tab].captions, english[tab].captions) << "tab " << tab;
        EXPECT_EQ(back[tab].headers, english[tab].headers) << "tab " << tab;
    }

    // Delete: the algorithm leaves the box and the store.
    page = ShowTab(kOptionsTab);
    ASSERT_TRUE(drive::ClickItem(page, IDC_OPTIONS_DELETE));
    EXPECT_TRUE(drive::WaitUntil([&] { return drive::ComboCount(algorithms) == count - 1; }, 10000));
    EXPECT_NE(drive::WindowText(algorithms), "Two passes");
    EXPECT_FALSE(AlgorithmStored("Two passes"));
    ExitProgram();
}

}  // namespace
