// Restore points: the list's texts, the WMI query as Wine answers it, and the
// folder jobs on the drives restore_points_drives_test.sh links in. It names
// two in VANTREL_RP_DRIVES ("MN"): the second holds Unix links under its
// "System Volume Information" to its "outside"; VANTREL_RP_LINKED_DRIVE's
// "System Volume Information" is itself a link. Without them the drive tests
// are skipped.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "engine/FolderShredder.h"
#include "engine/RestorePointShredder.h"
#include "engine/RestorePointText.h"
#include "engine/WmiRestorePointSource.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

using Folders = std::vector<std::string>;
using Numbers = std::vector<int16_t>;

std::vector<RestorePointRecord> Points(const Numbers& numbers) {
    std::vector<RestorePointRecord> points(numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i) points[i].sequenceNumber = numbers[i];
    return points;
}

Numbers NumbersOf(const std::vector<RestorePointRecord>& points) {
    Numbers numbers;
    for (const RestorePointRecord& point : points) numbers.push_back(point.sequenceNumber);
    return numbers;
}

TEST(RestorePointTextTest, CreationTimeIsTheStoredHourThreeHoursOn) {
    const char* cases[][2] = {{"20080514003015.000000-000", "2008-05-14 3:30:15 AM"},
                              {"20080514083015.000000-000", "2008-05-14 11:30:15 AM"},
                              {"20080514093005.000000-000", "2008-05-14 12:30:05 PM"},
                              {"20080514103015", "2008-05-14 1:30:15 PM"},
                              {"20080514213015", "2008-05-14 12:30:15 PM"},
                              {"20080514223015", "2008-05-15 1:30:15 AM"},
                              {"20080531230000", "2008-05-32 2:00:00 AM"},  // not carried into June
                              {"20080507083015", "2008-05-7 11:30:15 AM"}};
    for (const auto& c : cases) EXPECT_EQ(RestorePointTimeText(c[0]), c[1]) << c[0];
    for (const char* malformed : {"", "2008051423301", "2008-05-14 23:30", "20080514243015"})
        EXPECT_EQ(RestorePointTimeText(malformed), "") << malformed;
}

TEST(RestorePointTextTest, EveryTypeHasItsNameAndOthersAreUnknown) {
    const char* names[] = {"Application Installation", "Application Uninstall", "", "", "", "", "Restore",
                           "Checkpoint", "", "", "Device Drive Installation", "FirstRun", "Modify Settings",
                           "Cancelled Operation", "Backup Recovery"};
    for (int32_t type = 0; type < 15; ++type)
        EXPECT_STREQ(RestorePointTypeName(type), *names[type] ? names[type] : "Unknown Restore Type") << type;
    for (int32_t type : {15, 100, -1, -32768, INT32_MIN})
        EXPECT_STREQ(RestorePointTypeName(type), "Unknown Restore Type") << type;
}

TEST(RestorePointListTest, RemoveComparesTheWholeLastPartWithoutCase) {
    Folders list = {"C:\\SVI\\_restore{A}\\RP12", "C:\\SVI\\_restore{A}\\RP120", "D:\\SVI\\_restore{B}\\rp12",
                    "D:\\SVI\\_restore{B}\\RP112"};
    RestorePointShredder::RemoveRestorePointFolders(12, list);
    EXPECT_EQ(list, (Folders{"C:\\SVI\\_restore{A}\\RP120", "D:\\SVI\\_restore{B}\\RP112"}));
    // A number above 32767 wraps in the record but keeps the system's name.
    list = {"C:\\x\\RP40000", "C:\\x\\RP-25536"};
    RestorePointShredder::RemoveRestorePointFolders(-25536, list);
    EXPECT_EQ(list, Folders{"C:\\x\\RP-25536"});
}

TEST(RestorePointListTest, ForgetDropsTheFirstPointOfTheNumberEndingThePath) {
    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    std::vector<RestorePointRecord> points = Points({120, 12, 7, 12, -25536});
    RestorePointShredder restore{engine.context, folders, points};
    restore.ForgetRestorePoint("D:\\System Volume Information\\_restore{B}\\RP12");
    restore.ForgetRestorePoint("c:\\system volume information\\_restore{a}\\rp120");
    restore.ForgetRestorePoint("C:\\x\\RP40000");
    EXPECT_EQ(NumbersOf(points), (Numbers{7, 12}));
    for (const char* path : {"C:\\x\\RP", "C:\\x\\folder", "C:\\x\\RP99"}) restore.ForgetRestorePoint(path);
    EXPECT_EQ(NumbersOf(points), (Numbers{7, 12}));
}

// Ends in one of its texts or in well-formed points; Wine keeps none, though
// it answers the class with one empty object.
std::string Query() {
    std::vector<RestorePointRecord> points;
    std::string failure;
    if (WmiRestorePointSource().Query(points, failure)) {
        const bool wine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
        EXPECT_TRUE(!wine || points.empty()) << points.size() << " point(s) under Wine";
        for (const RestorePointRecord& point : points) {
            EXPECT_NE(point.creationTime, "");
        }
        return failure;
    }
    const Folders texts = {"Failed to initialize COM library. ", "Failed to initialize security. ",
                           "Failed to create IWbemLocator object. ", "Could not connect.",
                           "Could not set proxy blanket.", "Query for processes failed. "};
    EXPECT_NE(std::find(texts.begin(), texts.end(), failure), texts.end()) << failure;
    return failure;
}

// On a thread of its own, first joined to the given apartment unless none
// (-1): the query leaves the thread's COM as it found it.
void QueryOnThread(int apartment) {
    std::thread([apartment] {
        if (apartment >= 0) {
            ASSERT_EQ(::CoInitializeEx(nullptr, static_cast<DWORD>(apartment)), S_OK);
        }
        const std::string failure = Query();
        if (apartment >= 0) {
            EXPECT_TRUE(failure != "Failed to initialize COM library. " && failure != "Failed to initialize security. ");
            EXPECT_EQ(::CoInitializeEx(nullptr, static_cast<DWORD>(apartment)), S_FALSE) << "the thread's COM ended";
            ::CoUninitialize();
            ::CoUninitialize();
        }
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "the query left COM initialised";
        ::CoUninitialize();
    }).join();
}

TEST(RestorePointWmiTest, QueryEndsWithATextOrPointsAndLeavesComAsItWas) {
    QueryOnThread(-1);
    // As start-up leaves its thread, and with the process's security set by
    // the first query.
    QueryOnThread(COINIT_APARTMENTTHREADED);
    QueryOnThread(COINIT_MULTITHREADED);
}

class RestorePointDrivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* drives = std::getenv("VANTREL_RP_DRIVES");
        const char* linked = std::getenv("VANTREL_RP_LINKED_DRIVE");
        if (drives == nullptr || std::strlen(drives) != 2 || linked == nullptr || std::strlen(linked) != 1)
            GTEST_SKIP() << "the drives are linked by restore_points_drives_test.sh";
        plain = std::string(1, drives[0]) + ":\\";
        withLinks = std::string(1, drives[1]) + ":\\";
        linkedDrive = std::string(1, linked[0]) + ":\\";
        engine.state.job.algorithm = 0;
        for (const std::string& root : {plain, withLinks}) {
            ::CreateDirectoryA(Volume(root).c_str(), nullptr);
            ::CreateDirectoryA(Own(root).c_str(), nullptr);
            for (const char* name : {"\\RP12", "\\RP120"}) {
                ASSERT_TRUE(::CreateDirectoryA((Own(root) + name).c_str(), nullptr)) << Own(root) << name;
                WriteFilled(Own(root) + name + "\\change.log", 70000, 0x5a);
            }
            WriteFilled(Volume(root) + "\\vantrel-test.log", 100, 0x5a);
        }
    }
    void TearDown() override {
        if (plain.empty()) return;
        RemoveTree(Volume(plain));  // only what the tests made: the links are the script's
        RemoveTree(Own(withLinks));
        ::DeleteFileA((Volume(withLinks) + "\\vantrel-test.log").c_str());
    }

    static std::string Volume(const std::string& root) { return root + "System Volume Information"; }
    static std::string Own(const std::string& root) { return Volume(root) + "\\_restore{vantrel-test}"; }
    std::string Links() const { return Volume(withLinks) + "\\_restore{links}"; }  // RP12, a link, and RP7
    void UseDrives(std::initializer_list<std::string> roots) {
        engine.machine.driveRoots.fill("");
        for (const std::string& root : roots) engine.machine.driveRoots[static_cast<size_t>(root[0] - 'A')] = root;
    }
    static Folders Sorted(Folders folders) {
        std::sort(folders.begin(), folders.end());
        return folders;
    }
    void ExpectOwnTreesWhole() {
        for (const std::string& root : {plain, withLinks})
            for (const char* name : {"\\RP12\\change.log", "\\RP120\\change.log"})
                EXPECT_EQ(ReadBytes(Own(root) + name).size(), 70000u) << root << name;
    }
    void ExpectOutsideWhole() {
        EXPECT_EQ(ReadBytes(withLinks + "outside\\keep.txt"), std::vector<uint8_t>({'k', 'e', 'e', 'p', '\n'}));
        EXPECT_EQ(ReadBytes(withLinks + "outside\\RP12\\inner.dat").size(), 1000000u);
        EXPECT_EQ(ReadBytes(Volume(linkedDrive) + "\\_restore{elsewhere}\\RP12\\data.dat").size(), 5000u);
    }

    std::string plain, withLinks, linkedDrive;
    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    std::vector<RestorePointRecord> points;
    RestorePointShredder restore{engine.context, folders, points};
};

TEST_F(RestorePointDrivesTest, FindsEachRealFolderOnceAndRemoveKeepsRp120) {
    UseDrives({plain, withLinks, linkedDrive});
    ::CreateDirectoryA((Own(plain) + "\\file").c_str(), nullptr);
    WriteFilled(Own(plain) + "\\file\\RP12", 10, 0);
    Folders list;
    restore.FindRestorePointFolders(12, list);
    restore.FindRestorePointFolders(12, list);
    // Not the file, not the link named RP12, nothing behind a link.
    EXPECT_EQ(list, Sorted({Own(plain) + "\\RP12", Own(withLinks) + "\\RP12"}));
    restore.FindRestorePointFolders(120, list);
    RestorePointShredder::RemoveRestorePointFolders(12, list);
    EXPECT_EQ(list, Sorted({Own(plain) + "\\RP120", Own(withLinks) + "\\RP120"}));
    restore.FindRestorePointFolders(7, list);
    EXPECT_EQ(list.back(), Links() + "\\RP7");
}

TEST_F(RestorePointDrivesTest, ShredsTheListedFoldersInPlaceAndForgetsTheirPoints) {
    UseDrives({plain, withLinks});
    points = Points({12, 120, 12, 12, 7});
    WriteFilled(Links() + "\\RP7\\plain.dat", 3000, 0x5a);
    Folders list;
    restore.FindRestorePointFolders(12, list);
    restore.FindRestorePointFolders(7, list);
    list.push_back(Links() + "\\RP12");  // a link: passed over
    restore.ShredRestorePointFolders(list);

    for (const std::string& root : {plain, withLinks}) {
        EXPECT_FALSE(Exists(Own(root) + "\\RP12")) << root;
        EXPECT_EQ(ReadBytes(Own(root) + "\\RP120\\change.log").size(), 70000u) << root;
    }
    // RP7 keeps its links, so it stays with its point.
    EXPECT_EQ(Sorted(ListNames(Links() + "\\RP7")), (Folders{"filelink.txt", "outlink"}));
    EXPECT_EQ(NumbersOf(points), (Numbers{120, 12, 7}));
    ExpectOutsideWhole();
    // One pass over the blocks of what the walk reaches, not over what lies behind the links.
    EXPECT_EQ(engine.state.overallRange, 6);
    EXPECT_TRUE(engine.ui.messages.empty()) << engine.ui.messages[0].text;
}

TEST_F(RestorePointDrivesTest, AllAtOnceShredsEveryVolumeFolderButNoLink) {
    UseDrives({plain, withLinks, linkedDrive});
    EXPECT_TRUE(restore.ShredRestorePoints());
    ASSERT_EQ(engine.ui.confirms.size(), 1u);
    EXPECT_EQ(engine.ui.confirms[0].caption, "WARNING!");
    EXPECT_EQ(engine.ui.confirms[0].text, engine.texts.Text(12001));
    EXPECT_EQ(engine.ui.confirms[0].style, ConfirmStyleYesNo);

    EXPECT_FALSE(Exists(Volume(plain)));
    // Emptied but for the links, so it stays.
    EXPECT_EQ(Sorted(ListNames(Volume(withLinks))), (Folders{"_restore{links}", "linked"}));
    EXPECT_EQ(Sorted(ListNames(Links())), (Folders{"RP12", "RP7"}));
    ExpectOutsideWhole();
    EXPECT_TRUE(engine.ui.messages.empty()) << engine.ui.messages[0].text;
    EXPECT_FALSE(engine.ui.open);
}

TEST_F(RestorePointDrivesTest, AllAtOnceGoesOnPastAMissingFolderAndStopsWhenCancelled) {
    RemoveTree(Volume(plain));
    UseDrives({plain, withLinks});
    EXPECT_TRUE(restore.ShredRestorePoints());
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text, "Invalid find handle.");
    EXPECT_FALSE(Exists(Own(withLinks)));

    SetUp();
    engine.ui.cancelAtPump = engine.ui.pumps + 1;  // at the first drive's first file
    EXPECT_TRUE(restore.ShredRestorePoints());
    EXPECT_TRUE(Exists(Volume(plain)));
    for (const char* name : {"\\RP12\\change.log", "\\RP120\\change.log"})
        EXPECT_EQ(ReadBytes(Own(withLinks) + name).size(), 70000u) << name;
}

TEST_F(RestorePointDrivesTest, AnsweringNoShredsNothing) {
    UseDrives({plain, withLinks});
    engine.ui.confirmAnswers = {ConfirmNo};
    EXPECT_FALSE(restore.ShredRestorePoints());
    ExpectOwnTreesWhole();
    EXPECT_TRUE(Exists(Volume(withLinks) + "\\vantrel-test.log"));
    EXPECT_EQ(engine.ui.progressOpened, 0);
}

}  // namespace
