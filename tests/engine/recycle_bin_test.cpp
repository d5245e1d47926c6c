// The Recycle Bin job and the page's Shred Now. Wine's shell does not see
// bin folders, so a double stands in for it: it counts what lies in a bin and
// empties it as the shell would, leaving links alone. The bins live on extra
// drives that recycle_bin_drives_test.sh links into the prefix and names in
// VANTREL_BIN_DRIVES (three letters, in order); without them those tests
// are skipped. The others list at most drive K:, which no test prefix has.
#include <gtest/gtest.h>

#include "win/WideText.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "engine/FolderShredder.h"
#include "engine/RecycleBinShredder.h"
#include "engine/ShellRecycleBin.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "engine/RecycleBinShredAction.h"

namespace {

const std::string kSid = "S-1-5-21-1004336348-1177238915-682003330-1003";
const std::string kLinkSid = "S-1-5-21-7-LINKS";  // its bins are made by the wrapper
const std::string kDesktopIni = "[.ShellClassInfo]\r\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n";
const std::string kEmpty = "The recycle bin is currently empty.";

std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class FolderBin final : public RecycleBinShell {
public:
    std::map<std::string, std::string> folders;  // root -> bin folder
    RecycleBinAccess access = RecycleBinAccess::Ready;
    HRESULT queryResult = S_OK;
    int opened = 0, closed = 0;
    std::vector<std::string> emptied;
    std::map<std::string, std::set<std::string>> seen;  // what lay in each bin when it was emptied

    RecycleBinAccess Open() override { return ++opened, access; }
    void Close() override { ++closed; }
    HRESULT Query(const std::string& root, RecycleBinContents& contents) override {
        contents = RecycleBinContents{};
        for (const auto& item : Items(root)) {
            contents.items += 1;
            contents.bytes += IsFolderEntry(item.second) ? FolderShredder::GetFolderSize(item.first)
                                                         : EntrySize(item.second);
        }
        return queryResult;
    }
    void Empty(const std::string& root) override {
        emptied.push_back(root);
        Record(folders[root], "", seen[root]);
        for (const auto& item : Items(root))
            IsFolderEntry(item.second) ? RemoveTree(item.first) : static_cast<void>(::DeleteFileW(win::FromUtf8(item.first).c_str()));
    }

private:
    // The bin's items; a link is left, as the shell removes only the link.
    std::vector<std::pair<std::string, WIN32_FIND_DATAW>> Items(const std::string& root) {
        std::vector<std::pair<std::string, WIN32_FIND_DATAW>> items;
        const auto bin = folders.find(root);
        if (bin == folders.end() || bin->second.empty()) return items;
        const bool vista = bin->second.find("$Recycle.Bin") != std::string::npos;
        FolderListing listing(bin->second);
        const FolderLinkGuard guard(bin->second);
        for (bool more = static_cast<bool>(listing); more; more = listing.Next()) {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            const std::string path = win::FsPath(bin->second).Join(entry.cFileName).Utf8();
            const bool binFile = !::lstrcmpiW(entry.cFileName, L"INFO2") || !::lstrcmpiW(entry.cFileName, L"desktop.ini");
            if (IsDotEntry(entry) || binFile || IsLinkEntry(entry)) continue;
            // From Vista on the shell counts each "$R" item, not its "$I" record.
            if (vista && std::wcsncmp(entry.cFileName, L"$R", 2) != 0) continue;
            if (IsFolderEntry(entry) ? guard.IsOwnFolder(path, entry) : guard.IsOwnFile(path, entry))
                items.emplace_back(path, entry);
        }
        return items;
    }
    static void Record(const std::string& folder, const std::string& prefix, std::set<std::string>& into) {
        FolderListing listing(folder);
        for (bool more = static_cast<bool>(listing); more; more = listing.Next()) {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            if (IsDotEntry(entry)) continue;
            const std::string name = win::ToUtf8(entry.cFileName);
            into.insert(prefix + name);
            if (IsFolderEntry(entry)) Record(win::FsPath(folder).Join(entry.cFileName).Utf8(), prefix + name + "\\", into);
        }
    }
};

class RecycleBinJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.state.job.algorithm = 0;  // one pass of zeros over items made of 0x42
        engine.settings.Write(setting::kBinAlertDisabled, 0);
        engine.machine.userSid = kSid;
        engine.ui.messageAnswers = {IDYES};
        engine.ui.onPump = [this] { NoteOverwritten(); };
    }
    void TearDown() override { engine.settings.Write(setting::kBinAlertDisabled, 0); }

    void NoteOverwritten() {
        const std::string path = engine.ui.progress.statuses.back();
        const std::vector<uint8_t> bytes = ReadBytes(path);
        if (!bytes.empty() && std::all_of(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64),
                                          [](uint8_t b) { return b == 0; }))
            overwritten.insert(path);
    }
    std::string UseDrive(char letter, bool ntfs, const std::string& bin) {
        engine.machine.driveRoots[static_cast<size_t>(letter - 'A')] = std::string(1, letter) + ":\\";
        engine.machine.driveIsNtfs[static_cast<size_t>(letter - 'A')] = ntfs;
        shell.folders[std::string(1, letter) + ":\\"] = bin;
        return bin;
    }
    std::string Message(size_t index) const {
        return index < engine.ui.messages.size() ? engine.ui.messages[index].text : std::string();
    }

    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    FolderBin shell;
    RecycleBinShredder shredder{engine.context, folders, engine.shredder, shell};
    std::set<std::string> overwritten;
};

TEST_F(RecycleBinJobTest, EmptyBinsAndShellFailuresAreReportedAndChangeNothing) {
    TestFolder bin;
    UseDrive('K', false, bin.path());
    shredder.ShredRecycleBin();
    EXPECT_EQ(Message(0), kEmpty);
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(engine.ui.progressOpened, 0);
    engine.state.runMode = true;
    shredder.ShredRecycleBin();
    EXPECT_EQ(engine.log.records, std::vector<std::string>{kEmpty});
    engine.state.runMode = false;

    bin.MakeFile("Dc1.txt", 1000);  // counted, but K:\RECYCLED cannot be listed
    engine.ui.messageAnswers = {IDYES};
    shredder.ShredRecycleBin();
    EXPECT_EQ(Message(2), "Error: Unable to access\nK:\\RECYCLED\\");
    shell.queryResult = E_FAIL;
    shredder.ShredRecycleBin();
    EXPECT_EQ(Message(3), "Call to SHQueryRecycleBin failed.\nError code 0x 80004005"
                          "\n\nNone of the Recycle Bin's contents have been modified.");
    shell.access = RecycleBinAccess::NoFunctions;
    shredder.ShredRecycleBin();
    EXPECT_EQ(Message(4), "Could not access Recycle Bin APIs.");
    shell.access = RecycleBinAccess::NoLibrary;
    shredder.ShredRecycleBin();
    EXPECT_EQ(engine.ui.messages.size(), 5u);
    EXPECT_EQ(shell.closed, 6);
    EXPECT_TRUE(shell.emptied.empty());
    EXPECT_EQ(ReadBytes(bin / "Dc1.txt"), std::vector<uint8_t>(1000, 0x42));
}

TEST_F(RecycleBinJobTest, IsEmptyUnlessSomeBinHoldsAnItem) {
    TestFolder bin;
    UseDrive('K', false, bin.path());
    engine.state.cancelRequested = true;
    EXPECT_TRUE(shredder.RecycleBinIsEmpty());
    EXPECT_FALSE(engine.state.cancelRequested);
    bin.MakeFile("Dc1.txt", 10);
    EXPECT_FALSE(shredder.RecycleBinIsEmpty());
    shell.queryResult = E_FAIL;
    EXPECT_TRUE(shredder.RecycleBinIsEmpty());
    shell.queryResult = S_OK;
    shell.access = RecycleBinAccess::NoFunctions;
    EXPECT_TRUE(shredder.RecycleBinIsEmpty());
    EXPECT_EQ(shell.closed, 4);
}

TEST_F(RecycleBinJobTest, ShredNowShowsTheNoticeUntilItIsTurnedOff) {
    engine.ui.noticeAnswers = {{false, true}, {true, false}, {true, true}};
    ShredRecycleBinNow(engine.context, shredder);  // ticked, then Escape
    EXPECT_EQ(shell.opened, 0);
    EXPECT_EQ(engine.settings.Read(setting::kBinAlertDisabled), 0);

    ShredRecycleBinNow(engine.context, shredder);  // OK, not ticked
    EXPECT_EQ(shell.opened, 1);
    EXPECT_EQ(engine.settings.Read(setting::kBinAlertDisabled), 0);

    engine.state.answers.attributeYesToAll = true;
    ShredRecycleBinNow(engine.context, shredder);  // ticked, OK
    EXPECT_EQ(engine.settings.Read(setting::kBinAlertDisabled), 1);
    EXPECT_FALSE(engine.state.answers.attributeYesToAll);

    ShredRecycleBinNow(engine.context, shredder);
    EXPECT_EQ(engine.ui.notices, std::vector<NoticeKind>(3, NoticeRecycleBinConflict));
    EXPECT_EQ(shell.opened, 3);
}

// Nobody sits at a scheduled run: the warning goes to its log as a note, the
// bin is shredded as the task asks, and the run may still end in "Success".
TEST_F(RecycleBinJobTest, ASilentRunNeverWaitsOnTheNoticeAndNotesItInTheLog) {
    engine.state.runMode = true;
    ShredRecycleBinNow(engine.context, shredder);
    EXPECT_TRUE(engine.ui.notices.empty());
    EXPECT_EQ(shell.opened, 1);
    ASSERT_EQ(engine.log.notes.size(), 1u);
    EXPECT_EQ(engine.log.notes[0].substr(0, 40), "Some programs that protect the Recycle B");
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
    EXPECT_EQ(engine.settings.Read(setting::kBinAlertDisabled), 0) << "the user's own choice stays";
}

TEST_F(RecycleBinJobTest, TheShellOffersBothFunctions) {
    ShellRecycleBin real;  // never emptied here: Wine's bin is the Linux user's trash
    EXPECT_EQ(real.Open(), RecycleBinAccess::Ready);
    real.Close();
    RecycleBinContents contents;
    EXPECT_EQ(real.Query("K:\\", contents), E_FAIL);
}

class RecycleBinDrivesTest : public RecycleBinJobTest {
protected:
    void SetUp() override {
        const char* letters = std::getenv("VANTREL_BIN_DRIVES");
        if (letters == nullptr || std::strlen(letters) < 3) GTEST_SKIP() << "needs recycle_bin_drives_test.sh";
        RecycleBinJobTest::SetUp();
        drives.assign(letters, letters + 3);
    }
    void TearDown() override {
        for (const std::string& bin : made) RemoveTree(bin);
        for (char letter : drives) {
            ::RemoveDirectoryA((std::string(1, letter) + ":\\Recycler").c_str());
            ::RemoveDirectoryA((std::string(1, letter) + ":\\$Recycle.Bin").c_str());
        }
        RecycleBinJobTest::TearDown();
    }
    std::string Root(size_t drive) const { return std::string(1, drives[drive]) + ":\\"; }
    // Lists the drive in the job's table with a fresh bin folder, as under XP or as under 98.
    std::string MakeBin(size_t drive, bool ntfs) {
        std::string bin = Root(drive) + (ntfs ? "Recycler" : "RECYCLED");
        ::CreateDirectoryA(bin.c_str(), nullptr);
        if (ntfs) ::CreateDirectoryA((bin += "\\" + kSid).c_str(), nullptr);
        made.push_back(bin);
        return UseDrive(drives[drive], ntfs, bin);
    }
    // The user's bin of Vista and later, the same on NTFS and on FAT.
    std::string MakeVistaBin(size_t drive, bool ntfs, const std::string& sid = kSid) {
        std::string bin = Root(drive) + "$Recycle.Bin";
        ::CreateDirectoryA(bin.c_str(), nullptr);
        ::CreateDirectoryA((bin += "\\" + sid).c_str(), nullptr);
        made.push_back(bin);
        return UseDrive(drives[drive], ntfs, bin);
    }
    static void Put(const std::string& bin, const std::string& relative, size_t size, uint8_t value = 0x42) {
        for (size_t cut = relative.find('\\'); cut != std::string::npos; cut = relative.find('\\', cut + 1))
            ::CreateDirectoryA((bin + "\\" + relative.substr(0, cut)).c_str(), nullptr);
        WriteFilled(bin + "\\" + relative, size, value);
    }

    std::string drives;
    std::vector<std::string> made;
};

TEST_F(RecycleBinDrivesTest, ItemsAreShredInPlaceOnlyWhereTheBinHoldsAny) {
    const std::string xp = MakeBin(0, true);
    Put(xp, "Dc1.txt", 100000);
    Put(xp, "Dc3\\a.txt", 3000);
    Put(xp, "Dc3\\deep\\deeper\\b.txt", 5000);
    Put(xp, "INFO2", 20, 'I');
    Put(xp, "desktop.ini", 10);
    const std::string idle = MakeBin(1, true);
    Put(idle, "INFO2", 20, 'I');
    const std::string old = MakeBin(2, false);
    Put(old, "Dd1.txt", 70000);
    Put(old, "info2", 20, 'I');
    Put(old, "DESKTOP.INI", 10);
    shredder.ShredRecycleBin();

    EXPECT_EQ(shell.emptied, (std::vector<std::string>{Root(0), Root(2)}));
    using Seen = std::set<std::string>;  // shred in place, the deeper folder removed
    EXPECT_EQ(shell.seen[Root(0)], (Seen{"Dc1.txt", "Dc3", "Dc3\\deep", "INFO2", "desktop.ini"}));
    EXPECT_EQ(shell.seen[Root(2)], (Seen{"DESKTOP.INI", "Dd1.txt", "info2"}));
    EXPECT_EQ(overwritten, (std::set<std::string>{xp + "\\Dc1.txt", xp + "\\Dc3\\a.txt", xp + "\\Dc3\\deep\\deeper\\b.txt",
                                                  old + "\\Dd1.txt"}));
    EXPECT_EQ(ReadBytes(xp + "\\INFO2"), std::vector<uint8_t>(20, 'I'));
    EXPECT_EQ(ReadBytes(old + "\\info2"), std::vector<uint8_t>(20, 'I'));
    EXPECT_EQ(ReadText(xp + "\\desktop.ini"), kDesktopIni);
    EXPECT_EQ(ReadText(old + "\\desktop.ini"), kDesktopIni);
    EXPECT_FALSE(Exists(idle + "\\desktop.ini"));
    EXPECT_EQ(engine.ui.progress.titles, std::vector<std::string>{"Shredding Recycle Bin"});
    EXPECT_EQ(engine.ui.progress.statuses.back(), std::string("Emptying Recycle Bin on drive ") + drives[2]);
    // One pass over 178,000 bytes in three items, each of which may end in a partial block.
    EXPECT_EQ(engine.ui.progress.overallHigh, 3 + 3);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(engine.ui.progressClosed, 1);
}

// From Vista on the layout is "$Recycle.Bin\\<SID>" on NTFS and FAT alike: its
// "$R" items and "$I" records are shredded and removed, the rest stays.
TEST_F(RecycleBinDrivesTest, FromVistaOnTheItemsAndRecordsOfTheUsersBinAreShredOnEveryDrive) {
    engine.machine.isVistaOrLater = true;
    const std::string ntfs = MakeVistaBin(0, true);
    Put(ntfs, "$R7QX2ZA.txt", 100000);
    Put(ntfs, "$I7QX2ZA.txt", 544, 'I');
    Put(ntfs, "$RK2L9QF\\a.txt", 3000);
    Put(ntfs, "$RK2L9QF\\deep\\deeper\\b.txt", 5000);
    Put(ntfs, "$IK2L9QF", 544, 'I');
    Put(ntfs, "desktop.ini", 10);
    Put(ntfs, "notes.txt", 10, 'N');  // nothing the bin put there
    const std::string xp = Root(0) + "Recycler\\" + kSid;  // another system's bin on the same drive
    ::CreateDirectoryA((Root(0) + "Recycler").c_str(), nullptr);
    ::CreateDirectoryA(xp.c_str(), nullptr);
    made.push_back(xp);
    Put(xp, "Dc1.txt", 1000);
    const std::string other = Root(0) + "$Recycle.Bin\\S-1-5-21-9-9-9-1001";
    ::CreateDirectoryA(other.c_str(), nullptr);
    made.push_back(other);
    Put(other, "$RA1B2C3.txt", 2000);
    const std::string fat = MakeVistaBin(2, false);
    Put(fat, "$RZZ0001", 0);
    Put(fat, "$IZZ0001", 544, 'I');
    shredder.ShredRecycleBin();

    EXPECT_EQ(shell.emptied, (std::vector<std::string>{Root(0), Root(2)}));
    using Seen = std::set<std::string>;  // the job removed what it shredded before the shell emptied
    EXPECT_EQ(shell.seen[Root(0)], (Seen{"desktop.ini", "notes.txt"}));
    // Three items of 108,000 bytes, each of which may end in a partial block, and their records.
    EXPECT_EQ(engine.ui.progress.overallHigh, 2 + 3 + 3);
    EXPECT_EQ(engine.ui.progress.overallPos, 7) << "every block written, the records' too";
    EXPECT_EQ(shell.seen[Root(2)], Seen{});
    EXPECT_EQ(overwritten, (std::set<std::string>{ntfs + "\\$R7QX2ZA.txt", ntfs + "\\$I7QX2ZA.txt",
                                                  ntfs + "\\$RK2L9QF\\a.txt", ntfs + "\\$RK2L9QF\\deep\\deeper\\b.txt",
                                                  ntfs + "\\$IK2L9QF", fat + "\\$IZZ0001"}));
    EXPECT_FALSE(Exists(ntfs + "\\$RK2L9QF")) << "the item's folder goes with its tree";
    // Every record after every item: a job stopped midway leaves the records of what it did not reach.
    const std::vector<std::string>& shown = engine.ui.progress.statuses;
    const auto firstRecord = std::find_if(shown.begin(), shown.end(), [&ntfs](const std::string& path) {
        return path.rfind(ntfs + "\\$I", 0) == 0;
    });
    EXPECT_TRUE(std::none_of(firstRecord, shown.end(), [&ntfs](const std::string& path) {
        return path.rfind(ntfs + "\\$R", 0) == 0;
    })) << "an item was shredded after a record";
    EXPECT_FALSE(Exists(fat + "\\$RZZ0001"));
    EXPECT_EQ(ReadText(ntfs + "\\desktop.ini"), kDesktopIni);
    EXPECT_EQ(ReadText(fat + "\\desktop.ini"), kDesktopIni);
    EXPECT_EQ(ReadBytes(xp + "\\Dc1.txt"), std::vector<uint8_t>(1000, 0x42));
    EXPECT_EQ(ReadBytes(other + "\\$RA1B2C3.txt"), std::vector<uint8_t>(2000, 0x42));
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
    ASSERT_EQ(engine.ui.messages.size(), 1u) << Message(1);
}

TEST_F(RecycleBinDrivesTest, CancelOnTheSecondDriveLeavesTheThirdUntouched) {
    std::vector<std::string> bins;
    for (size_t drive = 0; drive < 3; ++drive) Put(bins.emplace_back(MakeBin(drive, true)), "Dc1.txt", 100000);
    engine.ui.onPump = [this] {
        if (engine.ui.progress.statuses.back().rfind(Root(1), 0) == 0) engine.state.cancelRequested = true;
    };
    shredder.ShredRecycleBin();

    EXPECT_EQ(shell.emptied, std::vector<std::string>{Root(0)});
    const std::string letter(1, drives[1]);
    EXPECT_EQ(Message(1), "User abort or fatal error while processing drive " + letter +
                              ":\nFiles in recycle bin on previous drives have been shredded.\nSome or all of the "
                              "files in recycle bin on drive " + letter +
                              ": have had\ntheir contents shredded and may or may not be useable if restored.\n"
                              "Files in Recycle Bin on following drives are not affected.");
    EXPECT_EQ(ReadBytes(bins[2] + "\\Dc1.txt"), std::vector<uint8_t>(100000, 0x42));
    EXPECT_EQ(ReadText(bins[0] + "\\desktop.ini"), kDesktopIni);
    EXPECT_FALSE(Exists(bins[1] + "\\desktop.ini"));
    EXPECT_FALSE(Exists(bins[2] + "\\desktop.ini"));
}

TEST_F(RecycleBinDrivesTest, LinksAreNeitherFollowedNorWrittenThrough) {
    engine.machine.userSid = kLinkSid;
    const std::string bin = UseDrive(drives[0], true, Root(0) + "Recycler\\" + kLinkSid);
    const std::string linked = UseDrive(drives[1], true, Root(1) + "Recycler\\" + kLinkSid);
    ASSERT_TRUE(Exists(bin + "\\Dc1.txt")) << "made by recycle_bin_drives_test.sh";
    shredder.ShredRecycleBin();

    EXPECT_EQ(overwritten, std::set<std::string>{bin + "\\Dc1.txt"});
    EXPECT_EQ(shell.emptied, std::vector<std::string>{Root(0)});  // the other bin folder is itself a link
    EXPECT_EQ(Message(1), "Error: Unable to access\n" + linked + "\\");
    EXPECT_EQ(ReadText(Root(0) + "outside\\keep.txt"), "keep me\n");
    EXPECT_EQ(ReadText(Root(0) + "outside\\desktop.ini"), "not the bin's\n");
    EXPECT_EQ(ReadBytes(Root(0) + "outside\\sub\\deep.txt").size(), 1000000u);
    EXPECT_EQ(ReadText(Root(1) + "elsewhere\\Dd1.txt"), "not in a bin\n");

    // The same from Vista on, in "$Recycle.Bin", where the job removes what it shreds.
    engine.machine.isVistaOrLater = true;
    overwritten.clear();
    shell.emptied.clear();
    engine.ui.messageAnswers = {IDYES};
    shell.folders[Root(0)] = Root(0) + "$Recycle.Bin\\" + kLinkSid;
    shell.folders[Root(1)] = Root(1) + "$Recycle.Bin\\" + kLinkSid;
    ASSERT_TRUE(Exists(Root(0) + "$Recycle.Bin\\" + kLinkSid + "\\$RPLAIN.txt")) << "made by the wrapper";
    shredder.ShredRecycleBin();
    EXPECT_EQ(overwritten, std::set<std::string>{Root(0) + "$Recycle.Bin\\" + kLinkSid + "\\$RPLAIN.txt"});
    EXPECT_EQ(shell.emptied, std::vector<std::string>{Root(0)});
    EXPECT_EQ(Message(3), "Error: Unable to access\n" + Root(1) + "$Recycle.Bin\\" + kLinkSid + "\\");
    EXPECT_EQ(ReadText(Root(0) + "outside\\keep.txt"), "keep me\n");
    EXPECT_EQ(ReadBytes(Root(0) + "outside\\sub\\deep.txt").size(), 1000000u);
    EXPECT_EQ(ReadText(Root(1) + "elsewhere\\$RDd2.txt"), "not in a bin either\n");
}

}  // namespace
