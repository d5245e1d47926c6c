#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "algorithms/AlgorithmStore.h"
#include "win/UniqueResource.h"

// Only the program itself must load on XP; the tests may clean up with this.
extern "C" LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);

namespace {

using Bytes = std::vector<uint8_t>;
using Outcome = AlgorithmStore::DeleteOutcome;
constexpr DWORD kRemove = 0xFFFFFFFF;
const ShredPass kRandom = ShredPass::MakeRandom();

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }
ShredAlgorithm Algorithm(std::string name, std::vector<ShredPass> passes, std::string description = "") {
    return ShredAlgorithm{std::move(name), std::move(description), std::move(passes), false};
}

class AlgorithmStoreTest : public ::testing::Test {
protected:
    const std::string product_ =
        std::string("Software\\VantrelStoreTest\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const AlgorithmStore store_{product_};

    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ASSERT_TRUE(store_.EnsureProductKey());
    }
    void TearDown() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, product_.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelStoreTest");
    }
    win::UniqueRegKey Key(const std::string& relative, bool create = true) const {
        const std::string path = product_ + "\\Algorithms" + (relative.empty() ? "" : "\\" + relative);
        HKEY key = nullptr;
        if (!create) ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
        else ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return win::UniqueRegKey(key);
    }
    // Exactly these bytes: the 'X' behind them keeps the registry from adding a NUL.
    void Set(const std::string& relative, const char* name, DWORD type, const std::string& bytes) const {
        const std::string buffer = bytes + 'X';
        if (type == kRemove) ::RegDeleteValueA(Key(relative).Get(), name);
        else ::RegSetValueExA(Key(relative).Get(), name, 0, type, reinterpret_cast<const BYTE*>(buffer.data()),
                              static_cast<DWORD>(bytes.size()));
    }
    // "type:bytes" of one stored value.
    std::string Raw(const std::string& relative, const char* name) const {
        char data[512];
        DWORD type = 0, size = sizeof(data);
        const LONG result =
            ::RegQueryValueExA(Key(relative, false).Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        return result != ERROR_SUCCESS ? "-" : std::to_string(type) + ":" + std::string(data, size);
    }
    // Well formed, one pattern pass 01 02; tests damage parts of it.
    void StorePattern(const std::string& name) const {
        const std::string pass = name + "\\Pass 0";
        Set(name, "Description", REG_SZ, "d");
        Set(name, "PassesCount", REG_DWORD, Dword(1));
        Set(pass, "write", REG_SZ, "Pattern");
        Set(pass, "Pattern Length", REG_DWORD, Dword(2));
        Set(pass, "Byte 0", REG_DWORD, Dword(1));
        Set(pass, "Byte 1", REG_DWORD, Dword(2));
    }
    AlgorithmList Load() const { AlgorithmList list; store_.LoadCustomAlgorithms(list); return list; }
    std::string LoadedNames() const {
        const AlgorithmList list = Load();
        std::string names;
        for (size_t i = 0; i < list.count(); ++i) names += list.at(i).name + "|";
        return names;
    }
};

TEST_F(AlgorithmStoreTest, SavedPassesKeepTheirLayoutAndLoadBehindTheBuiltIns) {
    AlgorithmList list;
    list.AddBuiltInAlgorithms();
    store_.LoadCustomAlgorithms(list);
    EXPECT_EQ(list.count(), 5u) << "no Algorithms key yet";
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm(
        "Stripes", {ShredPass::MakePattern({0xAA, 0x12, 0xBB}), kRandom, ShredPass::MakeComplement()}, "Three")));
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm("Wide", {kRandom}, std::string(250, 'w'))));
    EXPECT_EQ(Raw("Stripes", "Description") + Raw("Stripes", "PassesCount"), "1:Three4:" + Dword(3));
    EXPECT_EQ(Raw("Wide", "Description"), "1:" + std::string(199, 'w'));
    EXPECT_EQ(Raw("Stripes\\Pass 0", "write") + Raw("Stripes\\Pass 0", "Pattern Length"), "1:Pattern4:" + Dword(3));
    EXPECT_EQ(Raw("Stripes\\Pass 0", "Byte 0") + Raw("Stripes\\Pass 0", "Byte 1") + Raw("Stripes\\Pass 0", "Byte 2"),
              "4:" + Dword(170) + "4:" + Dword(18) + "4:" + Dword(187));
    EXPECT_EQ(Raw("Stripes\\Pass 1", "write") + Raw("Stripes\\Pass 1", "Pattern Length"), "1:Random-");
    EXPECT_EQ(Raw("Stripes\\Pass 2", "write"), "1:Complement");

    store_.LoadCustomAlgorithms(list);
    ASSERT_EQ(list.count(), 7u);
    const ShredAlgorithm& loaded = list.at(5);
    EXPECT_EQ(loaded.name + "|" + loaded.description + "|" + list.at(6).name, "Stripes|Three|Wide");
    EXPECT_TRUE(loaded.isCustom && list.at(6).isCustom && !list.at(4).isCustom);
    ASSERT_EQ(loaded.passCount(), 3);
    EXPECT_EQ(loaded.passes[0].pattern, (Bytes{0xAA, 0x12, 0xBB}));
    EXPECT_TRUE(loaded.passes[0].IsPattern() && loaded.passes[1].IsRandom() && loaded.passes[2].IsComplement());
}

TEST_F(AlgorithmStoreTest, DamagedKeysAreLeftOutAndTheKeysBehindThemStillLoad) {
    struct Damage { const char* where; const char* value; DWORD type; std::string bytes; };
    const Damage damages[] = {
        {"", "Description", kRemove, ""}, {"", "Description", REG_DWORD, Dword(1)},
        {"", "Description", REG_BINARY, "d"}, {"", "PassesCount", REG_SZ, "1"},
        {"", "PassesCount", REG_BINARY, Dword(1)}, {"", "PassesCount", REG_DWORD, std::string("\1\0", 2)},
        {"", "PassesCount", REG_DWORD, Dword(0)}, {"", "PassesCount", REG_DWORD, Dword(0xFFFFFFFF)},
        {"", "PassesCount", REG_DWORD, Dword(0x7FFFFFFF)}, {"", "PassesCount", REG_DWORD, Dword(3)},
        {"\\Pass 0", "write", kRemove, ""}, {"\\Pass 0", "write", REG_DWORD, Dword(2)},
        {"\\Pass 0", "write", REG_BINARY, "Pattern"}, {"\\Pass 0", "write", REG_SZ, "pattern"},
        {"\\Pass 0", "write", REG_SZ, "random"}, {"\\Pass 0", "write", REG_SZ, "Patterns"},
        {"\\Pass 0", "Pattern Length", kRemove, ""}, {"\\Pass 0", "Pattern Length", REG_SZ, "2"},
        {"\\Pass 0", "Pattern Length", REG_DWORD, Dword(0)}, {"\\Pass 0", "Pattern Length", REG_DWORD, Dword(1u << 31)},
        {"\\Pass 0", "Pattern Length", REG_DWORD, Dword(0x7FFFFFFF)}, {"\\Pass 0", "Byte 1", kRemove, ""},
        {"\\Pass 0", "Byte 1", REG_SZ, "2"}, {"\\Pass 0", "Byte 1", REG_QWORD, Dword(2) + Dword(0)},
    };
    const std::string longName = "B" + std::string(254, 'n');
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm(longName, {kRandom})));
    for (const Damage& damage : damages) {
        SCOPED_TRACE(std::string(damage.where) + " " + damage.value + " " + std::to_string(damage.type));
        ::RegDeleteTreeA(Key("").Get(), "A damaged");
        StorePattern("A damaged");
        Set("A damaged\\Pass 1", "write", REG_SZ, "Random");  // with count 3: only Pass 0 and 1 exist
        Set(std::string("A damaged") + damage.where, damage.value, damage.type, damage.bytes);
        EXPECT_EQ(LoadedNames(), longName + "|");
    }
}

TEST_F(AlgorithmStoreTest, TextsEndAtTheirFirstNulLongDescriptionsAreCutBytesKeepTheLowBits) {
    for (const char* name : {"A", "B", "C"}) StorePattern(name);
    Set("A", "Description", REG_SZ, std::string(300, 'x'));
    Set("A\\Pass 0", "write", REG_SZ, std::string("Pattern\0", 8));
    Set("A\\Pass 0", "Byte 0", REG_DWORD, Dword(0x1FF));
    Set("A\\Pass 0", "Byte 1", REG_DWORD, Dword(0xFFFFFF12));
    Set("B", "Description", REG_SZ, std::string("two\0parts", 9));
    Set("B\\Pass 0", "write", REG_SZ, std::string("Random\0Pattern", 14));
    Set("C", "Description", REG_SZ, "");
    Set("C\\Pass 0", "write", REG_SZ, "Complement");
    const AlgorithmList list = Load();
    ASSERT_EQ(list.count(), 3u);
    EXPECT_EQ(list.at(0).description, std::string(199, 'x'));
    EXPECT_EQ(list.at(0).passes[0].pattern, (Bytes{0xFF, 0x12}));
    EXPECT_EQ(list.at(1).description + "|" + list.at(2).description, "two|");
    EXPECT_TRUE(list.at(1).passes[0].IsRandom() && list.at(2).passes[0].IsComplement());
}

TEST_F(AlgorithmStoreTest, SaveRefusesWhatTheRegistryOrTheLoaderCannotTakeAndCreatesNothing) {
    for (const ShredAlgorithm& refused :
         {Algorithm("a\\b", {kRandom}), Algorithm("", {kRandom}), Algorithm(std::string(256, 'n'), {kRandom}),
          Algorithm("none", {}), Algorithm("no bytes", {ShredPass::MakePattern({})}),
          Algorithm("many", std::vector<ShredPass>(1001, kRandom)),
          Algorithm("huge", {ShredPass::MakePattern(Bytes(65537))})})
        EXPECT_FALSE(store_.SaveAlgorithm(refused)) << refused.name;
    EXPECT_FALSE(Key("", false)) << "not even the Algorithms key";
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm("Limit", std::vector<ShredPass>(1000, kRandom))));
    EXPECT_EQ(LoadedNames(), "Limit|");
    Set("Limit\\Pass 1000", "write", REG_SZ, "Random");
    Set("Limit", "PassesCount", REG_DWORD, Dword(1001));
    EXPECT_EQ(LoadedNames(), "");

    const AlgorithmStore unready(product_ + "\\Missing");
    EXPECT_FALSE(unready.SaveAlgorithm(Algorithm("x", {kRandom})));
    EXPECT_TRUE(unready.EnsureProductKey() && unready.EnsureProductKey()) << "created, then found";
    EXPECT_TRUE(unready.SaveAlgorithm(Algorithm("x", {kRandom})));
}

TEST_F(AlgorithmStoreTest, SaveIgnoresLetterCaseWhileDeleteMatchesTheExactName) {
    AlgorithmList list;
    for (const char* name : {"Other", "Shred Me", "SHRED ME", "Shred"}) list.Append(Algorithm(name, {}));
    EXPECT_EQ(store_.DeleteAlgorithmKey(list, 1), Outcome::NotFound) << "no Algorithms key";
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm("Shred Me", {kRandom, kRandom})));
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm("SHRED ME", {ShredPass::MakeComplement()}, "second")));
    ASSERT_TRUE(store_.SaveAlgorithm(Algorithm("Other", {kRandom})));
    const AlgorithmList loaded = Load();
    ASSERT_EQ(loaded.count(), 2u);
    EXPECT_EQ(loaded.at(1).name + "|" + loaded.at(1).description, "Shred Me|second");
    EXPECT_TRUE(loaded.at(1).passCount() == 1 && loaded.at(1).passes[0].IsComplement());

    EXPECT_EQ(store_.DeleteAlgorithmKey(list, 2), Outcome::NotFound) << "other case";
    EXPECT_EQ(store_.DeleteAlgorithmKey(list, 3), Outcome::NotFound) << "a prefix";
    EXPECT_EQ(store_.DeleteAlgorithmKey(list, 4), Outcome::NotFound) << "beyond the list";
    EXPECT_EQ(store_.DeleteAlgorithmKey(list, 1), Outcome::Deleted);
    EXPECT_FALSE(Key("Shred Me", false));
    EXPECT_EQ(LoadedNames(), "Other|");
    EXPECT_EQ(store_.DeleteAlgorithmKey(list, 1), Outcome::NotFound);
}

}  // namespace
