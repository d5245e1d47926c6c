#include <gtest/gtest.h>

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
