// The algorithm editor as a real window, driven by the messages its controls
// send, and checked back through the registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "algorithms/AlgorithmStore.h"
#include "algorithms/PassText.h"
#include "engine/EngineState.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "support/ScriptedInteraction.h"
#include "ui/CustomAlgorithmDlg.h"

extern "C" LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);

namespace {

using Bytes = std::vector<uint8_t>;

class EditorTest : public ::testing::Test {
protected:
    const std::string product_ = std::string("Software\\VantrelEditorTest\\") +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const AlgorithmStore store_{product_};
    AlgorithmList list_;
    EngineState state_;
    ScriptedInteraction ui_{state_};
    LanguagePack texts_{"T:\\no-such-folder", "English"};
    std::string caption_ = "Vantrel";
    AlgorithmEditorParts parts_{list_, store_, texts_, caption_, ui_};
    std::unique_ptr<CustomAlgorithmDlg> dialog_;

    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ASSERT_TRUE(store_.EnsureProductKey());
        list_.AddBuiltInAlgorithms();
    }
    void TearDown() override {
        dialog_.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelEditorTest");
    }

    void Open(int32_t index) {
        dialog_ = std::make_unique<CustomAlgorithmDlg>(parts_, index);
        ASSERT_TRUE(dialog_->Create(nullptr));
        ::ShowWindow(dialog_->Handle(), SW_SHOW);
    }
    HWND Item(int id) const { return dialog_->Item(id); }
    void Click(int id) const {
        ::SendMessageA(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    // As a person types: with the keyboard focus in the field.
    void Type(const std::string& text) const {
        ::SetFocus(Item(IDC_EDITOR_PATTERN));
        ::SetWindowTextA(Item(IDC_EDITOR_PATTERN), text.c_str());
    }
    void SetField(int id, const std::string& text) const { ::SetWindowTextA(Item(id), text.c_str()); }
    std::string FieldText(int id) const {
        char text[512] = {};
        ::GetWindowTextA(Item(id), text, sizeof(text));
        return text;
    }
    void SelectRow(int row) const {
        ListView_SetItemState(Item(IDC_EDITOR_PASSES), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    int Rows() const { return ListView_GetItemCount(Item(IDC_EDITOR_PASSES)); }
    int Selected() const { return ListView_GetNextItem(Item(IDC_EDITOR_PASSES), -1, LVNI_SELECTED); }
    std::string Row(int row, int column = 1) const {
        char text[512] = {};
        ListView_GetItemText(Item(IDC_EDITOR_PASSES), row, column, text, sizeof(text));
        return text;
    }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return ::IsDlgButtonChecked(dialog_->Handle(), id) == BST_CHECKED; }
    AlgorithmList Restart() const {
        AlgorithmList list;
        list.AddBuiltInAlgorithms();
        store_.LoadCustomAlgorithms(list);
        return list;
    }
    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const ShownMessage& shown : ui_.messages)
            for (int id : {9070, 9071, 9072, 9073, 9074, 9085, 15180, 15241, 15242})
                if (shown.text == texts_.Text(id)) ids.push_back(id);
        return ids;
    }
    void NameAndDescribe(const std::string& name) const {
        SetField(IDC_EDITOR_NAME, name);
        SetField(IDC_EDITOR_DESCRIPTION, "mine");
    }
};

TEST_F(EditorTest, PassesAreTypedInHexAndSavedFromTheEnd) {
    Open(-1);
    EXPECT_FALSE(Enabled(IDC_EDITOR_SAVE)) << "nothing to save before a pass exists";
    EXPECT_FALSE(Enabled(IDC_EDITOR_PATTERN));
    EXPECT_TRUE(Checked(IDC_EDITOR_PATTERN_RADIO));
    EXPECT_EQ(FieldText(IDC_EDITOR_PATTERN), "00");
    char header[32] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = header;
    column.cchTextMax = sizeof(header);
    ListView_GetColumn(Item(IDC_EDITOR_PASSES), 1, &column);
    EXPECT_STREQ(header, "Data");

    Click(IDC_EDITOR_ADD);
    EXPECT_TRUE(Enabled(IDC_EDITOR_SAVE));
    EXPECT_FALSE(Enabled(IDC_EDITOR_COMPLEMENT_RADIO)) << "a first pass has nothing to complement";
    EXPECT_EQ(Row(0, 0), "1");
    EXPECT_EQ(Row(0), "00");
    Type("ABC");
    EXPECT_EQ(Row(0), "0A BC");
    EXPECT_EQ(FieldText(IDC_EDITOR_PATTERN), "ABC") << "the field stays as typed";
    Click(IDC_EDITOR_ADD);
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(Enabled(IDC_EDITOR_COMPLEMENT_RADIO));
    Type("");
    EXPECT_EQ(Row(1), "");
    // Text the editor puts into the field while it has no focus is not typing.
    ::SetFocus(Item(IDC_EDITOR_NAME));
    SelectRow(0);
    EXPECT_EQ(FieldText(IDC_EDITOR_PATTERN), "0ABC");
    EXPECT_EQ(Row(0), "0A BC");

    NameAndDescribe("quick shred");  // beside the built-in "Quick Shred"
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(dialog_->result(), CustomAlgorithmDlg::kSaved);
    EXPECT_EQ(MessageIds(), std::vector<int>{});
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    EXPECT_EQ(again.at(5).name, "quick shred");
    ASSERT_EQ(again.at(5).passes.size(), 2u);
    EXPECT_EQ(again.at(5).passes[0].pattern, (Bytes{0xBC, 0x0A}));
    EXPECT_EQ(again.at(5).passes[1].pattern, (Bytes{0x00})) << "an empty row is one 00 byte";
    EXPECT_EQ(list_.count(), 6u);
}

TEST_F(EditorTest, MovingAndDeletingPassesKeepsNumbersAndSelection) {
    Open(-1);
    Click(IDC_EDITOR_UP);
    EXPECT_EQ(MessageIds(), std::vector<int>{9074}) << "no selected pass";
    EXPECT_EQ(ui_.messages.back().flags & MB_ICONEXCLAMATION, static_cast<unsigned>(MB_ICONEXCLAMATION));
    ui_.messages.clear();
    Click(IDC_EDITOR_ADD);
    Type("11");
    Click(IDC_EDITOR_ADD);
    Click(IDC_EDITOR_COMPLEMENT_RADIO);
    EXPECT_EQ(Row(1), pass_text::kComplement);
    EXPECT_FALSE(Enabled(IDC_EDITOR_PATTERN));
    Click(IDC_EDITOR_ADD);
    Click(IDC_EDITOR_RANDOM_RADIO);
    Click(IDC_EDITOR_DOWN);  // already last
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Row(2), pass_text::kRandom);
    SelectRow(1);
    Click(IDC_EDITOR_UP);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Row(0), pass_text::kComplement);
    EXPECT_EQ(Row(1), "11");
    EXPECT_EQ(Row(0, 0), "1") << "numbers stay where they are";
    EXPECT_TRUE(Checked(IDC_EDITOR_COMPLEMENT_RADIO));
    EXPECT_FALSE(Enabled(IDC_EDITOR_COMPLEMENT_RADIO));
    Click(IDC_EDITOR_UP);  // already first
    EXPECT_EQ(Row(0), pass_text::kComplement);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(MessageIds(), std::vector<int>{});

    NameAndDescribe("Moved");
    Click(IDC_EDITOR_SAVE);
    ASSERT_EQ(dialog_->result(), CustomAlgorithmDlg::kSaved);
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    ASSERT_EQ(again.at(5).passes.size(), 3u);
    EXPECT_TRUE(again.at(5).passes[0].IsComplement()) << "kept first, in that order";
    EXPECT_EQ(again.at(5).passes[1].pattern, (Bytes{0x11}));
    EXPECT_TRUE(again.at(5).passes[2].IsRandom());
}

TEST_F(EditorTest, DeletingTheLastPassDisablesSaveAgain) {
    Open(-1);
    Click(IDC_EDITOR_ADD);
    Click(IDC_EDITOR_ADD);
    Click(IDC_EDITOR_ADD);
    SelectRow(0);
    Click(IDC_EDITOR_DELETE);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Row(0, 0), "1");
    EXPECT_EQ(Row(1, 0), "2");
    EXPECT_EQ(Selected(), 0);
    SelectRow(1);
    Click(IDC_EDITOR_DELETE);
    EXPECT_EQ(Selected(), 0) << "the last row went: the one before is selected";
    Click(IDC_EDITOR_DELETE);
    EXPECT_EQ(Rows(), 0);
    EXPECT_FALSE(Enabled(IDC_EDITOR_SAVE));
    EXPECT_FALSE(Enabled(IDC_EDITOR_PATTERN));
    EXPECT_FALSE(Enabled(IDC_EDITOR_RANDOM_RADIO));
}

TEST_F(EditorTest, SaveChecksInOrderAndRefusesNamesOneKeyApart) {
    ASSERT_TRUE(store_.SaveAlgorithmAt(ShredAlgorithm{"Mine", "d", {ShredPass::MakeRandom()}, true}, 5));
    list_ = Restart();
    Open(-1);
    Click(IDC_EDITOR_ADD);
    Type("0G");
    Click(IDC_EDITOR_SAVE);  // no name either: the pattern is told first
    EXPECT_EQ(::GetFocus(), Item(IDC_EDITOR_PATTERN));
    Type("0F");
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(::GetFocus(), Item(IDC_EDITOR_NAME));
    SetField(IDC_EDITOR_NAME, "Quick Shred");
    Click(IDC_EDITOR_SAVE);
    SetField(IDC_EDITOR_NAME, "MINE");
    Click(IDC_EDITOR_SAVE);
    SetField(IDC_EDITOR_NAME, "Yours");
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(::GetFocus(), Item(IDC_EDITOR_DESCRIPTION));
    EXPECT_EQ(MessageIds(), (std::vector<int>{9085, 9070, 9071, 15180, 9072}));
    for (const ShownMessage& shown : ui_.messages) {
        EXPECT_EQ(shown.caption, "Vantrel");
        EXPECT_EQ(shown.flags & MB_ICONERROR, static_cast<unsigned>(MB_ICONERROR));
    }
    EXPECT_EQ(dialog_->result(), 0) << "still open";
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    EXPECT_TRUE(again.at(5).passes[0].IsRandom()) << "Mine was not written over";
    ::SendMessageA(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(dialog_->result(), CustomAlgorithmDlg::kNotSaved);
    EXPECT_EQ(list_.count(), 6u);
}

TEST_F(EditorTest, WhatTheStoreCannotTakeIsToldBeforeSavingAndEverythingTypedStays) {
    Open(-1);
    Click(IDC_EDITOR_ADD);
    Type("AB");
    NameAndDescribe("Mine\\Yours");  // a backslash would make a key below a key
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(::GetFocus(), Item(IDC_EDITOR_NAME));
    SetField(IDC_EDITOR_NAME, "Mine\tYours");
    Click(IDC_EDITOR_SAVE);
    SetField(IDC_EDITOR_NAME, "Mine");
    ASSERT_EQ(dialog_->result(), 0);
    // A thousand rows more, straight into the unpainted list: as many clicks
    // on Add Pass take half a minute under Wine.
    ::SendMessageA(Item(IDC_EDITOR_PASSES), WM_SETREDRAW, FALSE, 0);
    for (int row = 1; row <= 1000; ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>("00");
        ListView_InsertItem(Item(IDC_EDITOR_PASSES), &item);
        ListView_SetItemText(Item(IDC_EDITOR_PASSES), row, 1, const_cast<char*>("00"));
    }
    ::SendMessageA(Item(IDC_EDITOR_PASSES), WM_SETREDRAW, TRUE, 0);
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(::GetFocus(), Item(IDC_EDITOR_PASSES));
    EXPECT_EQ(MessageIds(), (std::vector<int>{15241, 15241, 15242}));
    EXPECT_EQ(dialog_->result(), 0) << "still open";
    EXPECT_EQ(FieldText(IDC_EDITOR_NAME) + "|" + FieldText(IDC_EDITOR_DESCRIPTION) + "|" + Row(0), "Mine|mine|AB");
    EXPECT_EQ(Restart().count(), 5u) << "nothing stored";
    SelectRow(1000);
    Click(IDC_EDITOR_DELETE);
    Click(IDC_EDITOR_SAVE);
    ASSERT_EQ(dialog_->result(), CustomAlgorithmDlg::kSaved);
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    EXPECT_EQ(again.at(5).passes.size(), 1000u);
}

TEST_F(EditorTest, EditingShowsThePassesAndRenamesWithoutLosingAnything) {
    ASSERT_TRUE(store_.SaveAlgorithmAt(
        ShredAlgorithm{"Old", "before",
                       {ShredPass::MakePattern({0xBB, 0x12, 0xAA}), ShredPass::MakeRandom(),
                        ShredPass::MakePattern({0x01})},
                       true},
        5));
    list_ = Restart();
    Open(5);
    EXPECT_TRUE(Enabled(IDC_EDITOR_SAVE));
    EXPECT_EQ(FieldText(IDC_EDITOR_NAME), "Old");
    EXPECT_EQ(Row(0), "AA 12 BB");
    EXPECT_EQ(Row(1), pass_text::kRandom);
    EXPECT_EQ(Row(2), "01");
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(FieldText(IDC_EDITOR_PATTERN), "AA12BB");
    SetField(IDC_EDITOR_NAME, "New name");
    SelectRow(2);
    Click(IDC_EDITOR_DELETE);
    Click(IDC_EDITOR_SAVE);
    ASSERT_EQ(dialog_->result(), CustomAlgorithmDlg::kSaved);
    EXPECT_EQ(list_.count(), 6u);
    EXPECT_EQ(list_.at(5).name, "New name");
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    EXPECT_EQ(again.at(5).name, "New name");
    EXPECT_EQ(again.at(5).passes.size(), 2u);
    EXPECT_EQ(again.at(5).passes[0].pattern, (Bytes{0xBB, 0x12, 0xAA}));
}

TEST_F(EditorTest, AFailedSaveReportsAndChangesNeitherListNorStore) {
    ASSERT_TRUE(store_.SaveAlgorithmAt(ShredAlgorithm{"Kept", "d", {ShredPass::MakeRandom()}, true}, 5));
    // A key in the way of the copy a same-name save writes first: the store refuses.
    HKEY blocking = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (product_ + "\\Algorithms\\~saving~Kept").c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &blocking, nullptr), 0);
    ::RegCloseKey(blocking);
    list_ = Restart();
    Open(5);
    SetField(IDC_EDITOR_NAME, "KEPT");
    SelectRow(0);
    Click(IDC_EDITOR_PATTERN_RADIO);
    Type("55");
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(MessageIds(), std::vector<int>{9073});
    EXPECT_EQ(dialog_->result(), CustomAlgorithmDlg::kNotSaved);
    EXPECT_EQ(list_.at(5).name, "Kept");
    EXPECT_TRUE(list_.at(5).passes[0].IsRandom());
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    EXPECT_EQ(again.at(5).name, "Kept");
    EXPECT_TRUE(again.at(5).passes[0].IsRandom());
}

TEST_F(EditorTest, AnEditKeepsALongStoredNameAndALongPatternWholeOrSaysItCannot) {
    // A name no save could write again: its copy's name would pass the registry's 255.
    const std::string unsavable(250, 'n');
    ASSERT_TRUE(store_.SaveAlgorithm(ShredAlgorithm{unsavable, "d", {ShredPass::MakeRandom()}, true}));
    list_ = Restart();
    Open(5);
    Click(IDC_EDITOR_SAVE);
    EXPECT_EQ(MessageIds(), std::vector<int>{15241});
    EXPECT_EQ(dialog_->result(), 0) << "still open";
    ASSERT_EQ(Restart().count(), 6u);
    EXPECT_EQ(Restart().at(5).name, unsavable);

    // As a start loads them: a name longer than the field lets anyone type,
    // and a pattern whose row (3 x 43691 - 1 characters) is longer than the
    // list's text used to be read.
    const std::string name = "Made elsewhere, longer than thirty";
    Bytes pattern(43691);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 7 + i / 256);
    list_.Append(ShredAlgorithm{name, "d", {ShredPass::MakeRandom(), ShredPass::MakePattern(pattern)}, true});
    Open(6);
    SelectRow(1);
    Click(IDC_EDITOR_PATTERN_RADIO);  // takes the row again from the field
    SetField(IDC_EDITOR_DESCRIPTION, "changed");
    Click(IDC_EDITOR_SAVE);
    ASSERT_EQ(dialog_->result(), CustomAlgorithmDlg::kSaved);
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 7u);
    EXPECT_EQ(again.at(6).name, unsavable) << "written without an Order, so loaded last";
    EXPECT_EQ(again.at(5).name + "|" + again.at(5).description, name + "|changed") << "not a rename";
    ASSERT_EQ(again.at(5).passes.size(), 2u);
    EXPECT_EQ(again.at(5).passes[1].pattern.size(), pattern.size());
    EXPECT_TRUE(again.at(5).passes[1].pattern == pattern) << "the first bytes are the row's end";
}

TEST_F(EditorTest, ThePatternFieldTakesNoMoreThanTheStoreTakesAndShowsItAgainWhole) {
    Open(-1);
    Click(IDC_EDITOR_ADD);
    Type(std::string(131074, 'A'));  // a byte more than 65536
    std::vector<char> text(300000, '\0');
    ListView_GetItemText(Item(IDC_EDITOR_PASSES), 0, 1, text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(std::string(text.data()).size(), 196607u) << "65536 pairs and the spaces between them";
    Click(IDC_EDITOR_ADD);
    ::SetFocus(Item(IDC_EDITOR_NAME));
    SelectRow(0);
    EXPECT_EQ(::GetWindowTextLengthA(Item(IDC_EDITOR_PATTERN)), 131072) << "read back from the row";
}

}  // namespace
