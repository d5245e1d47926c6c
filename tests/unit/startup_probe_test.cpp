// The start-up probes that work on numbers and names, and the ones that ask
// the real system of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/DriveInfo.h"
#include "app/InstanceMutex.h"
#include "engine/KernelEntryPoints.h"
#include "app/RecycleBinApis.h"
#include "app/SchedulerComponent.h"
#include "app/SystemVersion.h"
#include "app/UserSid.h"
#include "engine/DriveFreeSpace.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

struct SidFree {
    void operator()(void* sid) const { ::FreeSid(sid); }
};
using UniqueSid = std::unique_ptr<void, SidFree>;

UniqueSid MakeSid(SID_IDENTIFIER_AUTHORITY authority, std::initializer_list<DWORD> subs) {
    DWORD s[8] = {};
    int i = 0;
    for (DWORD value : subs) s[i++] = value;
    PSID sid = nullptr;
    if (!::AllocateAndInitializeSid(&authority, static_cast<BYTE>(subs.size()), s[0], s[1], s[2], s[3], s[4], s[5],
                                    s[6], s[7], &sid))
        return nullptr;
    return UniqueSid(sid);
}

TEST(UserSidText, AuthorityAndSubAuthoritiesInDecimal) {
    UniqueSid sid = MakeSid({{0, 0, 0, 0, 0, 5}}, {21, 1, 2, 3, 1000});
    ASSERT_TRUE(sid);
    std::string text;
    ASSERT_TRUE(SidToText(sid.get(), 260, text));
    EXPECT_EQ(text, "S-1-5-21-1-2-3-1000");

    sid = MakeSid({{0, 0, 0x12, 0x34, 0x56, 0x78}}, {4294967295u});
    ASSERT_TRUE(SidToText(sid.get(), 260, text));
    EXPECT_EQ(text, "S-1-305419896-4294967295") << "the low four bytes are one number, sub-authorities unsigned";
}

TEST(UserSidText, AuthorityWithAHighPartIsSixHexBytes) {
    UniqueSid sid = MakeSid({{0, 0x1A, 0, 0, 0, 0x0B}}, {7});
    std::string text;
    ASSERT_TRUE(SidToText(sid.get(), 260, text));
    EXPECT_EQ(text, "S-1-0x001a0000000b-7");
}

TEST(UserSidText, RefusesWhatDoesNotFitOrIsNoSid) {
    UniqueSid sid = MakeSid({{0, 0, 0, 0, 0, 5}}, {21, 1});
    std::string text = "untouched";
    EXPECT_FALSE(SidToText(sid.get(), 51, text)) << "two sub-authorities need 52 characters";
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_TRUE(SidToText(sid.get(), 52, text));
    BYTE garbage[16] = {9, 9, 9};
    EXPECT_FALSE(SidToText(garbage, 260, text));
    EXPECT_FALSE(SidToText(nullptr, 260, text));
}

TEST(UserSidText, TheProcessUserIsReadOnThisSystem) {
    std::string sid;
    ASSERT_EQ(GetUserSidText(sid), 0);
    EXPECT_EQ(sid.rfind("S-1-5-", 0), 0u) << sid;
}

TEST(SystemVersionFamily, NtAndNineXWithTheirRestoreSystemsAndBinLayouts) {
    const struct {
        uint32_t platform, major, minor;
        bool nt, xpOrMe, vista;
    } cases[] = {
        {VER_PLATFORM_WIN32_NT, 5, 1, true, true, false},          // XP
        {VER_PLATFORM_WIN32_NT, 5, 2, true, false, false},         // Server 2003 keeps Recycler
        {VER_PLATFORM_WIN32_NT, 5, 0, true, false, false},         // 2000
        {VER_PLATFORM_WIN32_NT, 6, 0, true, false, true},          // Vista
        {VER_PLATFORM_WIN32_NT, 6, 1, true, false, true},          // 7
        {VER_PLATFORM_WIN32_NT, 10, 0, true, false, true},         // 10 and 11
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, false, true, false},   // ME
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, false, false, false},  // 98
        {VER_PLATFORM_WIN32_WINDOWS, 5, 1, false, false, false},   // 9x never counts as XP
        {VER_PLATFORM_WIN32_WINDOWS, 6, 0, false, false, false},   // nor as Vista
    };
    for (const auto& c : cases) {
        const SystemVersion version = ClassifySystemVersion(c.platform, c.major, c.minor);
        EXPECT_EQ(version.isNT, c.nt) << c.platform << " " << c.major << "." << c.minor;
        EXPECT_EQ(version.isXpOrMe, c.xpOrMe) << c.platform << " " << c.major << "." << c.minor;
        EXPECT_EQ(version.isVistaOrLater, c.vista) << c.platform << " " << c.major << "." << c.minor;
    }
    // NT 5 names the user's bin on NTFS drives only; Vista and later on every drive.
    EXPECT_TRUE(UserSidNeeded(true, false, true, true));
    EXPECT_FALSE(UserSidNeeded(true, false, false, true));
    EXPECT_TRUE(UserSidNeeded(true, true, false, true));
    EXPECT_FALSE(UserSidNeeded(true, true, true, false)) << "no bin job without the shell's functions";
    EXPECT_FALSE(UserSidNeeded(false, false, true, true));
}

TEST(ShellLibrary, RecycleBinFunctionsFrom471OnAndPresentHere) {
    EXPECT_FALSE(ShellVersionHasRecycleBinApis(4, 70));
    EXPECT_FALSE(ShellVersionHasRecycleBinApis(4, 0));
    EXPECT_TRUE(ShellVersionHasRecycleBinApis(4, 71));
    EXPECT_TRUE(ShellVersionHasRecycleBinApis(5, 0));
    EXPECT_TRUE(CheckRecycleBinApis()) << "the test system's shell has both functions";
}

TEST(DriveNames, LabelOrLocalDiskAndNtfsInAnyCase) {
    EXPECT_EQ(DriveDisplayName('D', ""), "Local Disk (D:)");
    EXPECT_EQ(DriveDisplayName('D', "Data"), "Data (D:)");
    EXPECT_TRUE(IsNtfsName("NTFS"));
    EXPECT_TRUE(IsNtfsName("ntfs"));
    EXPECT_FALSE(IsNtfsName("FAT32"));
    EXPECT_FALSE(IsNtfsName("NTFS5"));
}

// Stand-ins for the kernel's free-space queries: a 16 GiB drive.
BOOL WINAPI ClusterQuery(LPCSTR, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters,
                         LPDWORD totalClusters) {
    *sectorsPerCluster = 8;
    *bytesPerSector = 512;
    *freeClusters = 3u << 20;   // 12 GiB
    *totalClusters = 4u << 20;  // 16 GiB
    return TRUE;
}

BOOL WINAPI ExtendedQuery(LPCSTR, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free) {
    available->QuadPart = 1000;
    total->QuadPart = 3000;
    free->QuadPart = 2000;
    return TRUE;
}

TEST(DriveFreeSpaceQuery, ExtendedFiguresAsTheyAreClusterFiguresWithoutWrapping) {
    KernelEntryPoints kernel;
    kernel.getDiskFreeSpaceEx = &ExtendedQuery;
    kernel.getDiskFreeSpace = &ClusterQuery;
    DriveSpace space = QueryDriveFreeSpace(kernel, "T:\\");
    EXPECT_EQ(space.available, 1000u);
    EXPECT_EQ(space.total, 3000u);
    EXPECT_EQ(space.free, 2000u);

    kernel.getDiskFreeSpaceEx = nullptr;
    space = QueryDriveFreeSpace(kernel, "T:\\");
    EXPECT_EQ(space.total, 16ull << 30);
    EXPECT_EQ(space.free, 12ull << 30);
    EXPECT_EQ(space.available, space.free) << "no quotas without the extended query";

    kernel.getDiskFreeSpace = nullptr;
    space = QueryDriveFreeSpace(kernel, "T:\\");
    EXPECT_EQ(space.total, 0u);
}

TEST(KernelEntryPointsLookup, FindsTheExtendedQueryAndTheFilePointer) {
    KernelEntryPoints kernel;
    ASSERT_EQ(kernel.Load(), KernelEntryPoints::LoadResult::Loaded);
    EXPECT_NE(kernel.getDiskFreeSpaceEx, nullptr);
    EXPECT_EQ(kernel.getDiskFreeSpace, nullptr) << "the cluster query is only a fallback";
    EXPECT_TRUE(kernel.FindFilePointerEx());
    const DriveSpace space = QueryDriveFreeSpace(kernel, TestDriveRoot());
    EXPECT_GT(space.total, 0u);
    EXPECT_LE(space.available, space.total);
}

TEST(SingleInstance, OneHolderAtATimeAndNoneBesideAnotherKindOfObject) {
    const char* name = "VantrelTestInstanceMutex";
    InstanceMutex first;
    ASSERT_TRUE(first.Claim(name));
    InstanceMutex second;
    EXPECT_FALSE(second.Claim(name));
    first.Close();
    EXPECT_TRUE(second.Claim(name)) << "the name is free again once its holder closed it";

    win::UniqueHandle event(::CreateEventA(nullptr, TRUE, FALSE, "VantrelTestInstanceEvent"));
    ASSERT_TRUE(event);
    InstanceMutex third;
    EXPECT_FALSE(third.Claim("VantrelTestInstanceEvent"));
}

class SchedulerComponentTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey); }
    void RegisterTestClass() {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, kClassKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }

    static constexpr const char* kClassKey = "CLSID\\{0B6F8D7E-3C1A-4E55-9D21-7A1B2C3D4E5F}";
    TestFolder systemFolder;
};

TEST_F(SchedulerComponentTest, NeedsBothTheClassAndTheLibrary) {
    EXPECT_FALSE(SchedulerComponentPresent(systemFolder.path(), kSchedulerClassKey))
        << "the component is not installed on the test system";
    EXPECT_FALSE(SchedulerComponentPresent(systemFolder.path(), kClassKey));
    RegisterTestClass();
    EXPECT_FALSE(SchedulerComponentPresent(systemFolder.path(), kClassKey)) << "class without the library";
    WriteFilled(systemFolder / "Sched.dll", 10, 0);
    EXPECT_TRUE(SchedulerComponentPresent(systemFolder.path(), kClassKey));
    EXPECT_FALSE(SchedulerComponentPresent("", kClassKey)) << "no system folder, no library";
}

}  // namespace
