#include <gtest/gtest.h>

#include "win/WideText.h"

#include <windows.h>

#include "app/FileActivityLog.h"
#include "support/TestFolder.h"

namespace {

std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(FileActivityLog, AppendsRecordsWithCrLfLineEnds) {
    TestFolder folder;
    FileActivityLog log(folder.path());
    EXPECT_TRUE(log.logText().empty());
    log.WriteTaskNameLine(L"Nightly");
    log.Write("Error: Unable to access\nT:\\x.txt");
    log.Write("Write failed.\r\nSystem error code: 0x 00000070");
    EXPECT_EQ(log.logText(), L"Write failed.\r\nSystem error code: 0x 00000070");
    EXPECT_EQ(ReadText(folder / "log.txt"),
              "\xEF\xBB\xBF"
              "Task Name: Nightly\r\n"
              "Error: Unable to access\r\nT:\\x.txt\r\n\r\n"
              "Write failed.\r\nSystem error code: 0x 00000070\r\n\r\n");

    // A later run appends; nothing is ever cut.
    FileActivityLog again(folder.path());
    again.Write("Success");
    EXPECT_EQ(ReadText(folder / "log.txt").substr(ReadText(folder / "log.txt").size() - 11), "Success\r\n\r\n");
}

// A log of an earlier version is in the code page: its records stay, now in
// UTF-8, and a path of any script is logged whole after them.
TEST(FileActivityLog, AnOldCodePageLogIsKeptReadableAndNewRecordsNameAnyScript) {
    TestFolder folder;
    const std::string old = "Task Name: Caf\xE9\r\nSuccess\r\n\r\n";
    WriteBytes(folder / "log.txt", std::vector<uint8_t>(old.begin(), old.end()));
    FileActivityLog log(folder.path());
    log.Write(L"Error: Unable to access\nT:\\\u041E\u0442\u0447\u0451\u0442\u044B \U0001F512.txt");
    log.Note("Noted");
    EXPECT_EQ(ReadText(folder / "log.txt"), "\xEF\xBB\xBF" + win::ToUtf8(win::WidenAnsi(old)) +
                                                "Error: Unable to access\r\nT:\\\xD0\x9E\xD1\x82\xD1\x87\xD1\x91"
                                                "\xD1\x82\xD1\x8B \xF0\x9F\x94\x92.txt\r\n\r\nNoted\r\n\r\n");
}

TEST(FileActivityLog, UnwritableFolderLosesTheRecordSilently) {
    TestFolder folder;
    FileActivityLog log(folder / "no-such-folder");
    log.Write("lost");
    EXPECT_EQ(log.logText(), L"lost") << "the text still counts as logged";
    EXPECT_FALSE(Exists(folder / "no-such-folder"));
}

}  // namespace
