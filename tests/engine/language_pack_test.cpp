// Lookups in a real pack file read through the profile reader.
#include <gtest/gtest.h>

#include <windows.h>

#include "lang/LanguagePack.h"
#include "lang/MessageCatalogue.h"
#include "support/TestFolder.h"

namespace {

class LanguagePackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CreateDirectoryA((folder / "Lang").c_str(), nullptr));
        const std::string pack = "[Korvex Language Pack]\r\n"
                                 "9010=\r\n"
                                 "9034=Fehler:#%s\r\n"
                                 "9901=Ab#bruch\r\n"
                                 "9039=" +
                                 std::string(2500, 'x') + "\r\n";
        WriteBytes(folder / "Lang\\Test.ini", std::vector<uint8_t>(pack.begin(), pack.end()));
    }
    TestFolder folder;
};

TEST_F(LanguagePackTest, TextsComeFromThePackWithHashesAsLineBreaks) {
    LanguagePack texts(folder.path(), "Test");
    EXPECT_EQ(texts.PackPath(), folder / "Lang\\Test.ini");
    EXPECT_EQ(texts.Text(9034), "Fehler:\n%s");
    EXPECT_EQ(texts.Text(9010), "") << "an empty value is an empty text, not the English one";
    EXPECT_EQ(texts.Text(9011), "Invalid find handle.") << "a missing key falls back to English";
    EXPECT_EQ(texts.Text(9039).size(), 1999u);
    EXPECT_EQ(texts.Caption(9039, "x").size(), 99u);
    EXPECT_EQ(texts.Caption(9901, "Cancel"), "Ab#bruch") << "captions keep the hash";
}

TEST_F(LanguagePackTest, MissingPackGivesEnglishExactlyAsWritten) {
    LanguagePack texts(folder.path(), "Klingon");
    EXPECT_EQ(texts.Text(9034), "Error: Unable to access\n%s");
    // Trailing line breaks of a default survive the profile reader.
    EXPECT_EQ(texts.Text(9043), "Unable to remove folder:\n%s\n\n");
    EXPECT_EQ(texts.GetLangText("9043", "Unable to remove folder:#%s##"), "Unable to remove folder:\n%s\n\n");
    EXPECT_EQ(texts.Caption(9900, "Shredding....."), "Shredding.....");
}

TEST_F(LanguagePackTest, ControlCaptionsAreSetFromThePack) {
    LanguagePack texts(folder.path(), "Test");
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND window = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, parent, reinterpret_cast<HMENU>(2),
                                    nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    texts.SetDlgItem(9901, 2, parent);
    char caption[200];
    ::GetWindowTextA(window, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Ab#bruch");
    texts.SetDlgItem(9208, 2, parent, 1);
    ::GetWindowTextA(window, caption, sizeof(caption));
    EXPECT_STREQ(caption, "SubFolder &Options");
    ::DestroyWindow(parent);
}

TEST(MessageCatalogue, EachIdentifierOnceButTheTwoTextsOf9208) {
    int of9208 = 0;
    for (const CatalogueEntry* a = CatalogueBegin(); a != CatalogueEnd(); ++a) {
        if (a->id == 9208) ++of9208;
        for (const CatalogueEntry* b = a + 1; b != CatalogueEnd(); ++b)
            EXPECT_FALSE(a->id == b->id && a->variant == b->variant) << a->id;
    }
    EXPECT_EQ(of9208, 2);
    EXPECT_STREQ(CatalogueText(9208, 0), "SubFolder Options");
    EXPECT_STREQ(CatalogueText(9208, 1), "SubFolder &Options");
    EXPECT_STREQ(CatalogueText(9053), "Error:\n\"%s\"\nIs not a valid file system object");
    EXPECT_EQ(CatalogueText(9999), nullptr);
}

TEST_F(LanguagePackTest, LanguageNamesThatReachOutsideTheLangFolderCountAsMissing) {
    const std::string outside = "[Korvex Language Pack]\r\n9034=Outside\r\n";
    WriteBytes(folder / "Outside.ini", std::vector<uint8_t>(outside.begin(), outside.end()));
    const std::string full = folder / "Outside";
    for (const std::string& name :
         {std::string("..\\Outside"), std::string("../Outside"), full, std::string("Lang\\..\\..\\Outside"),
          std::string(".."), std::string("Te:st"), std::string("Test\\"), std::string(""),
          std::string(5000, 'a'), std::string("Test\x01")}) {
        LanguagePack texts(folder.path(), name);
        EXPECT_EQ(texts.PackPath(), "") << name.substr(0, 40);
        EXPECT_EQ(texts.FlagPath(), "") << name.substr(0, 40);
        EXPECT_EQ(texts.Text(9034), "Error: Unable to access\n%s") << name.substr(0, 40);
        EXPECT_EQ(texts.Caption(9034, "English"), "English") << name.substr(0, 40);
    }
    EXPECT_TRUE(LanguagePack::IsSafeLanguageName("Portugu\xEAs (Brasil)"));
    EXPECT_EQ(LanguagePack(folder.path(), "Test").Text(9034), "Fehler:\n%s");
}

}  // namespace
