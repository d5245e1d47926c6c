// What could lead a walk out of its tree or onto a wrong path: names that the
// path rules would bend (a trailing dot or space, "...", a device name, a
// character outside the code page), paths beyond MAX_PATH, and hard links.
// The odd names are made with "\\?\" wide calls, which take a name as it is.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "engine/FolderListing.h"
#include "engine/FolderShredder.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

// The test folder's paths are plain ASCII.
std::wstring Verbatim(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

void MakeFolder(const std::wstring& path) { ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr)) << ::GetLastError(); }

void MakeFile(const std::wstring& path, size_t size) {
    win::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << ::GetLastError();
    const std::vector<uint8_t> bytes(size, 0x42);
    DWORD done = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(size), &done, nullptr));
}

bool ExistsVerbatim(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// TestFolder's ANSI calls reach neither the odd names nor the long paths.
void RemoveTreeVerbatim(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    win::UniqueFindHandle find(::FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeVerbatim(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(find.Get(), &entry));
    }
    find.Reset();
    ::RemoveDirectoryW(path.c_str());
}

class FolderTreeBoundsTest : public ::testing::Test {
protected:
    void TearDown() override { RemoveTreeVerbatim(Verbatim(folder.path())); }

    std::set<std::string> MessageTexts() const {
        std::set<std::string> texts;
        for (const ShownMessage& message : engine.ui.messages) texts.insert(message.text);
        return texts;
    }

    TestFolder folder;
    TestEngine engine;
    FolderShredder shredder{engine.context, engine.shredder};
};

TEST(FolderEntryNames, PlainNamesAreOnlyThoseThePathRulesLeaveAsTheyAre) {
    for (const char* name : {"a.txt", "Start Menu", "..x", " lead", "x..y", "consent.txt", "com10", "lpt0", "nullish"})
        EXPECT_TRUE(IsPlainName(name)) << name;
    for (const char* name : {"", ".", "..", "abc.", "sp ", "...", ".. ", "a?b", "a*", "back\\slash", "a:b", "a\"b",
                             "nul", "NUL.txt", "Com1.log", "lpt9", "aux .c", "conin$"})
        EXPECT_FALSE(IsPlainName(name)) << name;
    EXPECT_EQ(JoinPath("T:\\", "x"), "T:\\x");
    EXPECT_EQ(JoinPath("T:\\a", "x"), "T:\\a\\x");
}

TEST_F(FolderTreeBoundsTest, BentNamesAreReachedByTheirShortNameOrReportedAndLeftAlone) {
    const std::string sentinel = folder / "sentinel.txt";
    WriteFilled(sentinel, 100, 0x42);
    const std::string inner = folder / "inner";
    const std::wstring wide = Verbatim(inner);
    MakeFolder(wide);
    WriteFilled(inner + "\\abc", 100, 0x42);
    MakeFile(wide + L"\\abc.", 100);
    MakeFile(wide + L"\\sp ", 100);
    MakeFile(wide + L"\\caf\x00e9\x2603.txt", 100);
    MakeFile(wide + L"\\nul.txt", 100);
    // Taken as they stand, "..." would be the folder itself and ".. " its parent.
    for (const wchar_t* name : {L"\\...", L"\\.. "}) {
        MakeFolder(wide + name);
        MakeFile(wide + name + L"\\x.txt", 100);
    }

    EXPECT_EQ(shredder.ShredFolder(inner, false, FolderWalkMode::Purge), 0);
    EXPECT_EQ(ReadBytes(sentinel), std::vector<uint8_t>(100, 0x42));
    // Every entry is either gone, or whole and reported: none was reached
    // through a name that leads elsewhere ("abc" is not shredded twice).
    std::set<std::string> expected;
    for (const std::string& name : ListNames(inner)) {
        expected.insert("Error: Unable to access\n" + inner + "\\" + name);
        WIN32_FIND_DATAW entry;
        const std::wstring path = wide + L"\\" + std::wstring(name.begin(), name.end());
        const std::wstring probe = name[0] == '.' ? path + L"\\x.txt" : path;
        win::UniqueFindHandle find(::FindFirstFileW(probe.c_str(), &entry));
        ASSERT_TRUE(find) << name;
        EXPECT_EQ(entry.nFileSizeLow, 100u) << name;
    }
    EXPECT_EQ(MessageTexts(), expected);
    EXPECT_TRUE(expected.count("Error: Unable to access\n" + inner + "\\nul.txt"));
    for (const std::string& name : ListNames(inner)) {
        EXPECT_NE(name, "abc");
        EXPECT_NE(name.rfind("caf", 0), 0u) << "reached by its short name";
    }
}

TEST_F(FolderTreeBoundsTest, PathsBeyondMaxPathAreReportedAndNeverCut) {
    // A folder of 200 characters: files of 259 still fit, 260 do not; a folder
    // of 255 can still be listed, one of 256 cannot.
    const std::string base = folder.path() + "\\" + std::string(199 - folder.path().size(), 'f');
    ASSERT_EQ(base.size(), 200u);
    const std::wstring wide = Verbatim(base);
    MakeFolder(wide);
    const std::string fits = base + "\\" + std::string(58, 'a');
    const std::string tooLong = base + "\\" + std::string(59, 'b');
    const std::string listable = base + "\\" + std::string(54, 'c');
    const std::string unlistable = base + "\\" + std::string(55, 'd');
    MakeFile(Verbatim(fits), 1);
    MakeFile(Verbatim(tooLong), 2);
    MakeFolder(Verbatim(listable));
    MakeFile(Verbatim(listable + "\\a"), 4);
    MakeFolder(Verbatim(unlistable));
    MakeFile(Verbatim(unlistable + "\\b"), 8);
    ASSERT_EQ(fits.size(), 259u);
    ASSERT_EQ(listable.size(), 255u);

    EXPECT_EQ(FolderShredder::GetFolderSize(base), 7u);
    EXPECT_EQ(shredder.ShredFolder(base, false, FolderWalkMode::Purge), 0);
    EXPECT_FALSE(ExistsVerbatim(Verbatim(fits)));
    EXPECT_FALSE(ExistsVerbatim(Verbatim(listable)));
    EXPECT_TRUE(ExistsVerbatim(Verbatim(tooLong)));
    EXPECT_TRUE(ExistsVerbatim(Verbatim(unlistable + "\\b")));
    EXPECT_EQ(MessageTexts(), (std::set<std::string>{"Error: Unable to access\n" + tooLong,
                                                     "Error: Unable to access\n" + unlistable}));
}

TEST_F(FolderTreeBoundsTest, AHardLinkedFileKeepsItsDataForItsOtherName) {
    const std::string outside = folder / "outside.txt";
    WriteFilled(outside, 100, 0x42);
    const std::string tree = folder / "tree";
    ::CreateDirectoryA(tree.c_str(), nullptr);
    ASSERT_TRUE(::CreateHardLinkA((tree + "\\alias.txt").c_str(), outside.c_str(), nullptr));
    WriteFilled(tree + "\\plain.txt", 100, 0x42);

    EXPECT_EQ(shredder.ShredFolder(tree, false, FolderWalkMode::Purge), 0);
    EXPECT_EQ(ListNames(tree), std::vector<std::string>{"alias.txt"});
    EXPECT_EQ(ReadBytes(outside), std::vector<uint8_t>(100, 0x42));
    EXPECT_EQ(engine.state.itemsNotDone, 1u);
    EXPECT_EQ(shredder.ShredPath(tree + "\\alias.txt"), 0) << "nor when named on the command line";
    EXPECT_EQ(ReadBytes(outside), std::vector<uint8_t>(100, 0x42));
    ASSERT_FALSE(engine.ui.messages.empty());
    EXPECT_EQ(engine.ui.messages.back().text, "Left alone:\n" + tree +
                                                  "\\alias.txt\nhas more than one name (hard links). Its data was "
                                                  "not overwritten.")
        << "the true reason, not \"not a valid file system object\"";
}

}  // namespace
