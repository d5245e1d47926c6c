#include <gtest/gtest.h>

#include <windows.h>

#include "app/FileActivityLog.h"
#include "app/LogLocation.h"
#include "support/TestFolder.h"
#include "win/FileSystem.h"

namespace {

const std::string kMark = "\xEF\xBB\xBF";

std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

win::FsPath LogIn(const std::string& folder) { return win::FsPath::FromUtf8(folder + "\\log.txt"); }

TEST(FileActivityLog, AppendsUtf8RecordsAfterOneMarkWithCrLfLineEnds) {
    TestFolder folder;
    FileActivityLog log(LogIn(folder.path()));
    EXPECT_TRUE(log.logText().empty());
    log.WriteTaskNameLine(L"Nightly");
    log.Write("Error: Unable to access\nT:\\x.txt");
    // A wide record names what no code page holds.
    log.Write(std::wstring(L"Error: Unable to access\nT:\\\x03B1\x03B2\x4E2D.txt"));
    log.Note(std::wstring(L"\x00E9t\x00E9"));
    log.Write("Write failed.\r\nSystem error code: 0x 00000070");
    EXPECT_EQ(log.logText(), L"Write failed.\r\nSystem error code: 0x 00000070");
    EXPECT_EQ(ReadText(folder / "log.txt"),
              kMark +
                  "Task Name: Nightly\r\n"
                  "Error: Unable to access\r\nT:\\x.txt\r\n\r\n"
                  "Error: Unable to access\r\nT:\\\xCE\xB1\xCE\xB2\xE4\xB8\xAD.txt\r\n\r\n"
                  "\xC3\xA9t\xC3\xA9\r\n\r\n"
                  "Write failed.\r\nSystem error code: 0x 00000070\r\n\r\n");

    // A later run appends; nothing is ever cut, and the mark stays the only one.
    FileActivityLog again(LogIn(folder.path()));
    again.WriteTaskNameLine(std::wstring(L"\x65E5\x672C"));
    again.Write("Success");
    const std::string text = ReadText(folder / "log.txt");
    const std::string tail = "Task Name: \xE6\x97\xA5\xE6\x9C\xAC\r\nSuccess\r\n\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.find(kMark, 1), std::string::npos);
}

TEST(FileActivityLog, UnwritableFolderLosesTheRecordSilently) {
    TestFolder folder;
    FileActivityLog log(LogIn(folder / "no-such-folder"));
    log.Write("lost");
    EXPECT_EQ(log.logText(), L"lost") << "the text still counts as logged";
    EXPECT_FALSE(Exists(folder / "no-such-folder"));
}

TEST(LogLocation, BesideAWritableProgramElseInTheUsersOwnFolder) {
    TestFolder folder;
    const win::FsPath program = win::FsPath::FromUtf8(folder.path());
    EXPECT_TRUE(FolderTakesNewFiles(program));
    EXPECT_EQ(ChooseLogFile(program), LogIn(folder.path()));
    EXPECT_TRUE(ListNames(folder.path()).empty()) << "the write check leaves nothing behind";

    // A folder that takes no new file: the log goes to the user's own folder,
    // made for it.
    const win::FsPath closed = win::FsPath::FromUtf8(folder / "no-such-folder");
    EXPECT_FALSE(FolderTakesNewFiles(closed));
    const win::FsPath perUser = PerUserLogFolder();
    ASSERT_FALSE(perUser.empty());
    EXPECT_EQ(perUser.Name(), L"Vantrel");
    EXPECT_EQ(ChooseLogFile(closed), perUser.Join(L"log.txt"));
    EXPECT_NE(win::fs::Attributes(perUser) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(win::fs::Attributes(perUser), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(FolderTakesNewFiles(perUser));
}

}  // namespace
