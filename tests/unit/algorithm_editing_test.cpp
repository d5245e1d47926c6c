// The editor's texts, its save rules on the registry, the stored order of
// the algorithms, and scheduled tasks following their algorithm.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "algorithms/AlgorithmEditing.h"
#include "algorithms/PassText.h"
#include "scheduler/TaskAlgorithmRenumbering.h"
#include "support/FakeTaskScheduler.h"
#include "win/UniqueResource.h"

extern "C" LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);

namespace {

using Bytes = std::vector<uint8_t>;

TEST(PassTextTest, TypedPatternsBecomePairsAndBytesComeFromTheEnd) {
    EXPECT_EQ(pass_text::FromTyped("ABC"), "0A BC");
    EXPECT_EQ(pass_text::FromTyped("AA12B"), "0A A1 2B");
    EXPECT_EQ(pass_text::FromTyped("aa12bb"), "aa 12 bb");
    EXPECT_EQ(pass_text::FromTyped(""), "");
    EXPECT_EQ(pass_text::ToPass("0A BC").pattern, (Bytes{0xBC, 0x0A}));
    EXPECT_EQ(pass_text::ToPass("aa 12 bb").pattern, (Bytes{0xBB, 0x12, 0xAA}));
    EXPECT_EQ(pass_text::ToPass("").pattern, (Bytes{0x00}));
    // Spaces typed into the field end up inside the pairs: "A B" -> "0A  B".
    EXPECT_EQ(pass_text::ToPass(pass_text::FromTyped("A B")).pattern, (Bytes{0x0B, 0x00, 0x0A}));
    EXPECT_TRUE(pass_text::ToPass(pass_text::kRandom).IsRandom());
    EXPECT_TRUE(pass_text::ToPass(pass_text::kComplement).IsComplement());
    EXPECT_EQ(pass_text::FromPass(ShredPass::MakePattern({0xBB, 0x12, 0xAA})), "AA 12 BB");
    EXPECT_EQ(pass_text::FieldText("AA 12 BB"), "AA12BB");
    EXPECT_TRUE(pass_text::IsValidRow("aF 09 "));
    EXPECT_FALSE(pass_text::IsValidRow("0G"));
    EXPECT_TRUE(pass_text::IsValidRow(pass_text::kComplement));
}

TEST(TaskParametersTest, OnlyTheAlgorithmSwitchChangesNeverTheTaskName) {
    const auto down = [](int32_t p) { return PositionMove::AfterRemoval(p, 6); };
    MethodRewrite r = RewriteMethodSwitch("\"/s\" \"/O7\" \"/O7\" \"/F2\" \"/R0\" \"C:\\a\"", down);
    EXPECT_EQ(r.parameters, "\"/s\" \"/O7\" \"/O6\" \"/F2\" \"/R0\" \"C:\\a\"");
    EXPECT_TRUE(r.changed);
    EXPECT_FALSE(r.algorithmGone);
    r = RewriteMethodSwitch("\"/s\" \"T\" \"/O6\" \"/T3\" \"/F1\" \"/R1\"  \"restorepoints\"", down);
    EXPECT_EQ(r.parameters, "\"/s\" \"T\" \"/O0\" \"/T3\" \"/F1\" \"/R1\"  \"restorepoints\"");
    EXPECT_TRUE(r.algorithmGone);
    r = RewriteMethodSwitch("\"/s\" \"T\" \"/O5\" \"recycle\"", down);
    EXPECT_FALSE(r.changed);
    r = RewriteMethodSwitch("/s Nightly /O12 C:\\a.txt", down);
    EXPECT_EQ(r.parameters, "/s Nightly /O11 C:\\a.txt");
}

TEST(TaskParametersTest, TasksOfThisProgramFollowTheirAlgorithm) {
    FakeTaskScheduler component;
    FakeTask& seven = component.AddExisting("Seven", "Vantrel", "\"/s\" \"Seven\" \"/O7\" \"C:\\x\"");
    FakeTask& six = component.AddExisting("Six", "Vantrel", "\"/s\" \"Six\" \"/O6\" \"recycle\"");
    FakeTask& other = component.AddExisting("Other", "Someone", "\"/s\" \"Other\" \"/O7\"");
    FakeTask& stuck = component.AddExisting("Stuck", "Vantrel", "\"/s\" \"Stuck\" \"/O9\"");
    stuck.Fail(0x60030016, DISPATCH_METHOD, E_ACCESSDENIED);
    TaskSchedulerClient scheduler;
    scheduler.AttachDispatch(&component, true);

    const RenumberReport report =
        RenumberTaskAlgorithms(scheduler, [](int32_t p) { return PositionMove::AfterRemoval(p, 6); });
    EXPECT_EQ(seven.parameters, "\"/s\" \"Seven\" \"/O6\" \"C:\\x\"");
    EXPECT_EQ(seven.commits, 1);
    EXPECT_EQ(six.parameters, "\"/s\" \"Six\" \"/O0\" \"recycle\"");
    EXPECT_EQ(other.parameters, "\"/s\" \"Other\" \"/O7\"");
    EXPECT_EQ(other.commits, 0);
    EXPECT_EQ(stuck.commits, 0);
    EXPECT_EQ(report.nowQuickShred, (std::vector<std::string>{"Six"}));
    EXPECT_EQ(report.notUpdated, (std::vector<std::string>{"Stuck"}));
    EXPECT_EQ(report.rewritten, 2);
}

class AlgorithmEditingTest : public ::testing::Test {
protected:
    const std::string product_ = std::string("Software\\VantrelEditingTest\\") +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const AlgorithmStore store_{product_};
    AlgorithmList list_;

    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ASSERT_TRUE(store_.EnsureProductKey());
        list_.AddBuiltInAlgorithms();
    }
    void TearDown() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelEditingTest");
    }
    static EditedAlgorithm Edited(int32_t index, std::string name, std::vector<std::string> rows,
                                  std::string description = "d") {
        return EditedAlgorithm{index, std::move(name), std::move(description), std::move(rows)};
    }
    AlgorithmList Restart() const {
        AlgorithmList list;
        list.AddBuiltInAlgorithms();
        store_.LoadCustomAlgorithms(list);
        return list;
    }
    std::vector<std::string> StoredKeys() const {
        std::vector<std::string> names;
        win::UniqueRegKey key;
        HKEY raw = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, (product_ + "\\Algorithms").c_str(), 0, KEY_READ, &raw) != 0)
            return names;
        key.Reset(raw);
        char name[300];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof(name);
            if (::RegEnumKeyExA(raw, i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) break;
            names.emplace_back(name, length);
        }
        return names;
    }
    bool PassKeyExists(const std::string& algorithm, int pass) const {
        HKEY raw = nullptr;
        const std::string path = product_ + "\\Algorithms\\" + algorithm + "\\Pass " + std::to_string(pass);
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != 0) return false;
        ::RegCloseKey(raw);
        return true;
    }
};

TEST_F(AlgorithmEditingTest, NamesClashOnlyWhereTheRegistryWouldMergeThem) {
    AlgorithmEditing editing(list_, store_);
    EXPECT_EQ(editing.Check(Edited(-1, "quick shred", {"00"})), EditCheck::Ok);  // built-ins have no key
    EXPECT_EQ(editing.Check(Edited(-1, "Quick Shred", {"00"})), EditCheck::NameTaken);
    ASSERT_TRUE(editing.Save(Edited(-1, "Mine", {"00"})));
    ASSERT_TRUE(editing.Save(Edited(-1, "Other", {"FF"})));
    EXPECT_EQ(editing.Check(Edited(-1, "MINE", {"00"})), EditCheck::NameTakenOtherCase);
    EXPECT_EQ(editing.Check(Edited(6, "mine", {"00"})), EditCheck::NameTakenOtherCase);  // renaming Other
    EXPECT_EQ(editing.Check(Edited(6, "Mine", {"00"})), EditCheck::NameTaken);
    EXPECT_EQ(editing.Check(Edited(5, "MINE", {"00"})), EditCheck::Ok);  // itself, in other case
    EXPECT_EQ(editing.Check(Edited(-1, "", {"0X"})), EditCheck::BadPattern);
    EXPECT_EQ(editing.Check(Edited(-1, "", {"00"})), EditCheck::EmptyName);
    EXPECT_EQ(editing.Check(Edited(-1, "New", {"00"}, "")), EditCheck::EmptyDescription);
    // Other is still whole: nothing was written over it.
    EXPECT_EQ(Restart().at(6).passes[0].pattern, (Bytes{0xFF}));
}

TEST_F(AlgorithmEditingTest, WhatTheStoreCannotTakeIsRefusedBeforeSavingAndTheRestLoadsAgain) {
    AlgorithmEditing editing(list_, store_);
    const std::string longest(AlgorithmStore::kMaxNameLength, 'n');
    for (const std::string& name : {std::string("a\\b"), std::string("\\"), std::string("tab\there"),
                                    std::string("two\nlines"), longest + "n", std::string(256, 'n')})
        EXPECT_EQ(editing.Check(Edited(-1, name, {"00"})), EditCheck::NameNotSavable) << name.substr(0, 12);
    EXPECT_EQ(editing.Check(Edited(-1, "Many", std::vector<std::string>(1001, "00"))), EditCheck::PassesNotSavable);
    EXPECT_EQ(editing.Check(Edited(-1, "None", {})), EditCheck::PassesNotSavable);
    const std::string widest = pass_text::FromTyped(std::string(131072, 'A'));  // 65536 bytes
    EXPECT_EQ(editing.Check(Edited(-1, "Huge", {widest + " AA"})), EditCheck::PassesNotSavable);
    // The store refuses the same, so a check and a save never disagree.
    EXPECT_FALSE(store_.SaveAlgorithmAt(ShredAlgorithm{longest + "n", "d", {ShredPass::MakeRandom()}, true}, 5));

    // What the check lets through is saved, saved again under its own name
    // (through the copy, whose name must fit too) and loaded back whole.
    const EditedAlgorithm most = Edited(-1, longest, std::vector<std::string>(1000, pass_text::kRandom));
    ASSERT_EQ(editing.Check(most), EditCheck::Ok);
    ASSERT_TRUE(editing.Save(most));
    ASSERT_TRUE(editing.Save(Edited(5, longest, std::vector<std::string>(1000, pass_text::kComplement))));
    EXPECT_EQ(editing.Check(Edited(-1, "Widest", {widest})), EditCheck::Ok);
    ASSERT_TRUE(editing.Save(Edited(-1, " spaced ", {"00"})));
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 7u);
    EXPECT_EQ(again.at(5).name, longest);
    EXPECT_EQ(again.at(5).passes.size(), 1000u);
    EXPECT_TRUE(again.at(5).passes[999].IsComplement());
    EXPECT_EQ(again.at(6).name, " spaced ") << "the registry keeps spaces at either end";
}

TEST_F(AlgorithmEditingTest, SavesReplaceWholeKeysAndFailuresChangeNothing) {
    AlgorithmEditing editing(list_, store_);
    ASSERT_TRUE(editing.Save(Edited(-1, "Three", {"01", "02", "03"})));
    // Same name, fewer passes: no "Pass 1" or "Pass 2" left behind.
    ASSERT_TRUE(editing.Save(Edited(5, "Three", {"AA"})));
    EXPECT_TRUE(PassKeyExists("Three", 0));
    EXPECT_FALSE(PassKeyExists("Three", 1));
    EXPECT_FALSE(PassKeyExists("Three", 2));
    // Case-only rename: the same key, written fresh, under the new spelling.
    ASSERT_TRUE(editing.Save(Edited(5, "THREE", {"BB", "CC"})));
    EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"THREE"}));
    // A rename the store refuses (a pattern too long to load again) keeps the old key and entry.
    std::string huge = "AA";
    for (int i = 1; i < 65537; ++i) huge += " AA";
    EXPECT_FALSE(editing.Save(Edited(5, "Renamed", {huge})));
    EXPECT_EQ(list_.at(5).name, "THREE");
    EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"THREE"}));
    ASSERT_TRUE(editing.Save(Edited(5, "Renamed", {"DD"})));
    EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"Renamed"}));
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 6u);
    EXPECT_EQ(again.at(5).passes.size(), 1u);
    EXPECT_EQ(again.at(5).passes[0].pattern, (Bytes{0xDD}));
}

TEST_F(AlgorithmEditingTest, PositionsSurviveARestartWhateverTheRegistryOrder) {
    AlgorithmEditing editing(list_, store_);
    for (const char* name : {"Zulu", "Mike", "Alpha"}) ASSERT_TRUE(editing.Save(Edited(-1, name, {"00"})));
    // The registry lists keys in an order of its own: by name.
    ASSERT_EQ(StoredKeys(), (std::vector<std::string>{"Alpha", "Mike", "Zulu"}));
    AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 8u);
    EXPECT_EQ(again.at(5).name, "Zulu");
    EXPECT_EQ(again.at(6).name, "Mike");
    EXPECT_EQ(again.at(7).name, "Alpha");
    EXPECT_EQ(editing.Delete(6), AlgorithmStore::DeleteOutcome::Deleted);
    ASSERT_TRUE(editing.Save(Edited(-1, "Bravo", {"00"})));
    again = Restart();
    ASSERT_EQ(again.count(), 8u);
    EXPECT_EQ(again.at(6).name, "Alpha");
    EXPECT_EQ(again.at(7).name, "Bravo");
}

TEST_F(AlgorithmEditingTest, AStartAfterPositionsMovedRewritesTheTasks) {
    // Orders 5 and 7: an older version deleted the algorithm at 6 without
    // renumbering, so loading gives Echo position 6.
    AlgorithmEditing editing(list_, store_);
    for (const char* name : {"Bravo", "Delta", "Echo"}) ASSERT_TRUE(editing.Save(Edited(-1, name, {"00"})));
    ASSERT_EQ(store_.DeleteAlgorithmKey(list_, 6), AlgorithmStore::DeleteOutcome::Deleted);
    std::vector<int32_t> previous;
    AlgorithmList list;
    list.AddBuiltInAlgorithms();
    store_.LoadCustomAlgorithms(list, &previous);
    ASSERT_EQ(list.at(6).name, "Echo");
    const std::map<int32_t, int32_t> moves = PositionMove::MovedOnLoad(previous);
    EXPECT_EQ(moves, (std::map<int32_t, int32_t>{{7, 6}}));

    FakeTaskScheduler component;
    FakeTask& onEcho = component.AddExisting("Echo task", "Vantrel", "\"/s\" \"Echo task\" \"/O7\" \"C:\\a\"");
    FakeTask& onBravo = component.AddExisting("Bravo task", "Vantrel", "\"/s\" \"Bravo task\" \"/O5\" \"C:\\a\"");
    TaskSchedulerClient scheduler;
    scheduler.AttachDispatch(&component, true);
    RenumberTaskAlgorithms(scheduler, [&moves](int32_t p) { return PositionMove::Through(moves, p); });
    EXPECT_EQ(onEcho.parameters, "\"/s\" \"Echo task\" \"/O6\" \"C:\\a\"");
    EXPECT_EQ(onBravo.commits, 0);
    ASSERT_TRUE(store_.WriteOrders(list));
    previous.clear();
    AlgorithmList again;
    again.AddBuiltInAlgorithms();
    store_.LoadCustomAlgorithms(again, &previous);
    EXPECT_TRUE(PositionMove::MovedOnLoad(previous).empty());
}

TEST_F(AlgorithmEditingTest, InterruptedSavesAreRecoveredAndDeleteTakesTheirCopiesAlong) {
    // A key of an older version, without "Order"; the complete copy a save
    // left when it stopped after the old key went; a key with the copy of a
    // case-only rename beside it; and a user's own algorithm named like a copy.
    struct Stored {
        std::string name;
        const char* savingFor;
        DWORD order;
    };
    const DWORD none = 0xFFFFFFFF;
    for (const Stored& stored : {Stored{"Old", nullptr, none}, Stored{"~saving~Lost", "Lost", 1},
                                 Stored{"Both", nullptr, 2}, Stored{"~saving~both", "BOTH", 2},
                                 Stored{"~saving~Mine", nullptr, 3}, Stored{"Mine", nullptr, 4}}) {
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (product_ + "\\Algorithms\\" + stored.name).c_str(), 0,
                                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr), 0);
        win::UniqueRegKey key(raw);
        DWORD one = 1;
        ::RegSetValueExA(raw, "Description", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 1);
        ::RegSetValueExA(raw, "PassesCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
        if (stored.savingFor != nullptr)
            ::RegSetValueExA(raw, "SavingFor", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.savingFor),
                             static_cast<DWORD>(std::strlen(stored.savingFor)));
        if (stored.order != none)
            ::RegSetValueExA(raw, "Order", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored.order), 4);
        HKEY pass = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(raw, "Pass 0", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &pass, nullptr), 0);
        ::RegSetValueExA(pass, "write", 0, REG_SZ, reinterpret_cast<const BYTE*>("Random"), 6);
        ::RegCloseKey(pass);
    }
    std::vector<int32_t> previous;
    AlgorithmList list;
    store_.LoadCustomAlgorithms(list, &previous);
    std::string names;
    for (size_t i = 0; i < list.count(); ++i) names += list.at(i).name + "|";
    EXPECT_EQ(names, "Lost|Both|~saving~Mine|Mine|Old|");
    EXPECT_EQ(previous, (std::vector<int32_t>{1, 2, 3, 4, -1}));

    list_ = Restart();
    AlgorithmEditing editing(list_, store_);
    EXPECT_EQ(editing.Delete(5), AlgorithmStore::DeleteOutcome::Deleted) << "Lost: only its copy was there";
    EXPECT_EQ(editing.Delete(5), AlgorithmStore::DeleteOutcome::Deleted) << "Both, with the copy beside it";
    EXPECT_EQ(editing.Delete(6), AlgorithmStore::DeleteOutcome::Deleted) << "Mine, not the other's key";
    EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"Old", "~saving~Mine"}));
    const AlgorithmList again = Restart();
    ASSERT_EQ(again.count(), 7u);
    EXPECT_EQ(again.at(5).name + "|" + again.at(6).name, "~saving~Mine|Old");
}

}  // namespace
