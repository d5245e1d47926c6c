// The settings on the real registry of the test prefix, under a key of the
// test's own so that the program's settings stay as they are.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "engine/SettingsStore.h"

namespace {

constexpr char kKey[] = "software\\Korvex\\VantrelSettingsTest";

class SettingsStoreTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

    void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }

    SettingsStore store{kKey};
};

TEST_F(SettingsStoreTest, WrittenValuesReadBackAndMissingOnesReadAsDefaults) {
    EXPECT_EQ(store.Read(setting::kPassCount), 3) << "nothing is written yet";
    EXPECT_EQ(store.Read(setting::kFirstRun), "1");
    EXPECT_EQ(store.Read(setting::kLanguage), "English");

    ASSERT_TRUE(store.Write(setting::kMethod, 7));
    ASSERT_TRUE(store.Write(setting::kLanguage, "Deutsch"));
    ASSERT_TRUE(store.Write(setting::kFolder, -1));
    EXPECT_EQ(store.Read(setting::kMethod), 7);
    EXPECT_EQ(store.Read(setting::kLanguage), "Deutsch");
    EXPECT_EQ(store.Read(setting::kFolder), -1) << "integers keep their sign";
    EXPECT_EQ(SettingsStore("SOFTWARE\\KORVEX\\VANTRELSETTINGSTEST").Read(setting::kMethod), 7)
        << "key names ignore letter case";
}

TEST_F(SettingsStoreTest, ValuesOfTheOtherTypeOrDamagedOnesReadAsDefaults) {
    SetRaw("Method", REG_SZ, "5", 2);
    const DWORD number = 4;
    SetRaw("Language", REG_DWORD, &number, sizeof(number));
    SetRaw("Remove", REG_BINARY, "\x02", 1);
    const std::string huge(SettingsStore::kStringLimit + 10, 'x');
    SetRaw("FirstRun", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
    SetRaw("PassCount", REG_DWORD, "\x05\x00", 2);
    SetRaw("Unterminated", REG_SZ, "abc", 3);

    EXPECT_EQ(store.Read(setting::kMethod), 0);
    EXPECT_EQ(store.Read(setting::kLanguage), "English");
    EXPECT_EQ(store.Read(setting::kRemove), 0);
    EXPECT_EQ(store.Read(setting::kFirstRun), "1") << "a huge string is taken for damage";
    EXPECT_EQ(store.Read(setting::kPassCount), 3) << "a DWORD of two bytes is no number";
    EXPECT_EQ(store.ReadString("Unterminated", "none"), "abc");
}

}  // namespace
