#include <gtest/gtest.h>

#include "engine/BoxText.h"
#include "engine/FileNameParts.h"
#include "lang/TextFill.h"

namespace {

std::string Base(const std::string& path) {
    const FileNameParts p = SplitFileName(path);
    return path.substr(p.baseStart, p.baseLength);
}
std::string Extension(const std::string& path) {
    const FileNameParts p = SplitFileName(path);
    return path.substr(p.extensionStart, p.extensionLength);
}

TEST(SplitFileName, BaseAndExtensionOfTheLastComponentOnly) {
    EXPECT_EQ(Base("C:\\dir\\report.txt"), "report");
    EXPECT_EQ(Extension("C:\\dir\\report.txt"), "txt");
    EXPECT_EQ(Base("C:\\dir.x\\README"), "README");
    EXPECT_EQ(Extension("C:\\dir.x\\README"), "");
    EXPECT_EQ(Base("C:\\dir\\.profile"), "");
    EXPECT_EQ(Extension("C:\\dir\\.profile"), "profile");
    EXPECT_EQ(Base("C:\\dir\\a.tar.gz"), "a.tar");
    EXPECT_EQ(Extension("C:\\dir\\a.tar.gz"), "gz");
    EXPECT_EQ(Base("plain"), "plain");
    // A forward slash is a separator too: the folder part is never renamed.
    EXPECT_EQ(Base("T:/dir.d/file"), "file");
    EXPECT_EQ(SplitFileName("T:/dir.d/file").baseStart, 9u);
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanningTheValue) {
    EXPECT_EQ(ReplaceAll("%s (%u of %t)", "%s", "C:\\tmp\\f1"), "C:\\tmp\\f1 (%u of %t)");
    EXPECT_EQ(ReplaceAll("a %s b %s", "%s", "%s%s"), "a %s%s b %s%s");
    EXPECT_EQ(ReplaceAll("100%", "%s", "x"), "100%");
}

}  // namespace

namespace {

// A box shows a very long path's start and end; short lines stay whole, and
// a cut never splits a character of two UTF-16 units.
TEST(ShortenedForBox, OnlyOverlongLinesAreCutInTheMiddle) {
    const std::wstring path = L"T:\\" + std::wstring(300, L'x') + L"\\\U0001F512 end.txt";
    const std::wstring shown = ShortenedForBox(L"Error: Unable to access\n" + path);
    EXPECT_EQ(shown.substr(0, 27), L"Error: Unable to access\nT:\\");
    EXPECT_EQ(shown.substr(shown.size() - 11), L"\\\U0001F512 end.txt");
    EXPECT_LE(shown.size(), 24u + kLongestBoxLine);
    EXPECT_NE(shown.find(L'\u2026'), std::wstring::npos);
    EXPECT_EQ(ShortenedForBox(L"short\nlines"), L"short\nlines");
    std::wstring emoji;
    for (int i = 0; i < 150; ++i) emoji += L"\U0001F600";
    const std::wstring cut = ShortenedForBox(emoji);
    for (size_t i = 0; i < cut.size(); ++i) {
        const bool high = cut[i] >= 0xD800 && cut[i] <= 0xDBFF, low = cut[i] >= 0xDC00 && cut[i] <= 0xDFFF;
        if (high) {
            EXPECT_TRUE(i + 1 < cut.size() && cut[i + 1] >= 0xDC00 && cut[i + 1] <= 0xDFFF) << i;
        }
        if (low) {
            EXPECT_TRUE(i > 0 && cut[i - 1] >= 0xD800 && cut[i - 1] <= 0xDBFF) << i;
        }
    }
}

}  // namespace
