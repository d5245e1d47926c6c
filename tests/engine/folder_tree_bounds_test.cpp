// What could lead a walk out of its tree or onto a wrong path: names that the
// path rules would bend (a trailing dot or space, "...", a device name, a
// character outside the code page), paths beyond MAX_PATH, and hard links.
// The odd names are made with "\\?\" wide calls, which take a name as it is.
#include <gtest/gtest.h>

#include "win/WideText.h"

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
        EXPECT_TRUE(IsPlainName(win::FromUtf8(name))) << name;
    for (const char* name : {"", ".", "..", "abc.", "sp ", "...", ".. ", "a?b", "a*", "back\\slash", "a:b", "a\"b",
                             "nul", "NUL.txt", "Com1.log", "lpt9", "aux .c", "conin$"})
        EXPECT_FALSE(IsPlainName(win::FromUtf8(name))) << name;
    EXPECT_EQ(win::FsPath("T:\\").Join(L"x").Text(), L"T:\\x");
    EXPECT_EQ(win::FsPath("T:\\a").Join(L"x").Text(), L"T:\\a\\x");
}

// The walk reaches every entry by its own name through "\\?\" paths, in any
// script and without the short names that newer systems never make:
// "nul.txt" is a file there, not the null device, and nothing is reached
// twice or through a name that leads elsewhere.
TEST_F(FolderTreeBoundsTest, EveryNameIsReachedByItselfWhateverItsScriptOrShape) {
    const std::string sentinel = folder / "sentinel.txt";
    WriteFilled(sentinel, 100, 0x42);
    const std::string inner = folder / "inner";
    const std::wstring wide = Verbatim(inner);
    MakeFolder(wide);
    WriteFilled(inner + "\\abc", 100, 0x42);
    MakeFile(wide + L"\\abc.", 100);
    MakeFile(wide + L"\\sp ", 100);
    MakeFile(wide + L"\\caf\x00e9\x2603 \x0391\x03b8\x03ae\x03bd\x03b1 \x6771\x4eac \U0001F512.txt", 100);
    MakeFile(wide + L"\\nul.txt", 100);
    // Taken as they stand, "..." would be the folder itself and ".. " its parent.
    for (const wchar_t* name : {L"\\...", L"\\.. "}) {
        MakeFolder(wide + name);
        MakeFile(wide + name + L"\\x.txt", 100);
    }

    EXPECT_EQ(shredder.ShredFolder(inner, false, FolderWalkMode::Purge), 0);
    EXPECT_EQ(ReadBytes(sentinel), std::vector<uint8_t>(100, 0x42));
    // Wine names a file with a trailing dot or blank back without it, so its
    // real-path check cannot confirm those four; they are left whole and
    // reported, never reached through the name that leads elsewhere.
    std::set<std::string> reported;
    for (const std::string& name : ListNames(inner)) {
        EXPECT_TRUE(name == "abc." || name == "sp " || name == "..." || name == ".. ") << name;
        reported.insert("Error: Unable to access\n" + inner + "\\" + name);
        WIN32_FIND_DATAW entry;
        const std::wstring path = wide + L"\\" + win::FromUtf8(name);
        win::UniqueFindHandle find(::FindFirstFileW((name[0] == '.' ? path + L"\\x.txt" : path).c_str(), &entry));
        ASSERT_TRUE(find) << name;
        EXPECT_EQ(entry.nFileSizeLow, 100u) << name;
    }
    EXPECT_EQ(MessageTexts(), reported);
}

// Far beyond MAX_PATH: every file of a tree 400 and more characters deep is
// shredded and every folder removed, and the folder beside it stays whole.
TEST_F(FolderTreeBoundsTest, ATreeDeeperThanThePathLimitIsShreddedWhole) {
    const std::string beside = folder / "beside";
    MakeFolder(Verbatim(beside));
    WriteFilled(beside + "\\keep.txt", 100, 0x42);
    const std::string top = folder / "deep";
    std::string level = top;
    MakeFolder(Verbatim(level));
    for (int depth = 0; depth < 8; ++depth) {
        MakeFile(Verbatim(level + "\\" + std::string(50, static_cast<char>('a' + depth)) + ".txt"), 70000);
        level += "\\" + std::string(60, static_cast<char>('k' + depth));
        MakeFolder(Verbatim(level));
    }
    const std::string deepest = level + "\\last.txt";
    MakeFile(Verbatim(deepest), 3);
    ASSERT_GT(deepest.size(), 400u);

    EXPECT_EQ(FolderShredder::GetFolderSize(top), 8u * 70000u + 3u);
    engine.state.job.folder = Always;
    engine.state.job.remove = Always;
    EXPECT_EQ(shredder.ShredPath(top), kGoOn);
    EXPECT_FALSE(ExistsVerbatim(Verbatim(top)));
    EXPECT_EQ(ReadBytes(beside + "\\keep.txt"), std::vector<uint8_t>(100, 0x42));
    EXPECT_EQ(MessageTexts(), std::set<std::string>{});
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
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
