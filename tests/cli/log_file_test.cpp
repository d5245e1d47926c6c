// log.txt as the real program writes it: UTF-8 with one mark at its start,
// and a log of an earlier version, in the code page, converted whole before
// the first new record.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/StagedProgram.h"
#include "support/TestFolder.h"

namespace {

std::string Bytes(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ProgramLog, AnEarlierCodePageLogStaysReadableAndNewRecordsFollowInUtf8) {
    if (::GetACP() != 1252) GTEST_SKIP() << "the old log below is Windows-1252 text";
    TestFolder folder;
    StagedProgram program(folder.path());
    ASSERT_TRUE(program.valid());
    const std::string log = folder / "log.txt";
    WriteBytes(log, {'T', 'a', 's', 'k', ' ', 'N', 'a', 'm', 'e', ':', ' ', 'C', 'a', 'f', 0xE9, '\r', '\n',
                     'S', 'u', 'c', 'c', 'e', 's', 's', '\r', '\n', '\r', '\n'});
    const std::string notes = folder / "notes.txt";
    WriteFilled(notes, 300, 0x23);

    // The task name comes in the code page, as the command line carries it.
    EXPECT_EQ(program.Run("\"/s\" \"R\xE9sum\xE9\" " + Quoted(notes)), 0u);
    EXPECT_FALSE(Exists(notes));
    const std::string old = "Task Name: Caf\xC3\xA9\r\nSuccess\r\n\r\n";
    const std::string first = "Task Name: R\xC3\xA9sum\xC3\xA9\r\nSuccess\r\n\r\n";
    EXPECT_EQ(Bytes(log), "\xEF\xBB\xBF" + old + first);

    // Converted once: a later run only appends.
    EXPECT_EQ(program.Run("\"/s\" \"Nuit\" " + Quoted(folder / "missing.txt")), 1u);
    const std::string text = Bytes(log);
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF" + old + first + "Task Name: Nuit\r\n", 0), 0u) << text;
    EXPECT_EQ(ListNames(folder.path()), (std::vector<std::string>{"log.txt", "Vantrel.exe"}))
        << "nothing of the conversion is left beside the log";
}

}  // namespace
