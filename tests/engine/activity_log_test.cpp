#include <gtest/gtest.h>

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
    log.WriteTaskNameLine("Nightly");
    log.Write("Error: Unable to access\nT:\\x.txt");
    log.Write("Write failed.\r\nSystem error code: 0x 00000070");
    EXPECT_EQ(log.logText(), "Write failed.\r\nSystem error code: 0x 00000070");
    EXPECT_EQ(ReadText(folder / "log.txt"),
              "Task Name: Nightly\r\n"
              "Error: Unable to access\r\nT:\\x.txt\r\n\r\n"
              "Write failed.\r\nSystem error code: 0x 00000070\r\n\r\n");

    // A later run appends; nothing is ever cut.
    FileActivityLog again(folder.path());
    again.Write("Success");
    EXPECT_EQ(ReadText(folder / "log.txt").substr(ReadText(folder / "log.txt").size() - 11), "Success\r\n\r\n");
}

TEST(FileActivityLog, UnwritableFolderLosesTheRecordSilently) {
    TestFolder folder;
    FileActivityLog log(folder / "no-such-folder");
    log.Write("lost");
    EXPECT_EQ(log.logText(), "lost") << "the text still counts as logged";
    EXPECT_FALSE(Exists(folder / "no-such-folder"));
}

}  // namespace
