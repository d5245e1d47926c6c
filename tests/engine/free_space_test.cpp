// Free-space shredding fills a whole drive, so it only ever runs on the small
// drives that free_space_drive_test.sh links into the prefix: an empty one in
// VANTREL_FREE_SPACE_ROOT and a full one in VANTREL_FULL_ROOT. Without them
// these tests are skipped. Larger drives and quotas are faked through the
// kernel entry point, never written.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <set>

#include "engine/FreeSpaceShredder.h"
#include "engine/OverallRange.h"
#include "engine/Settings.h"
#include "engine/ShredJob.h"
#include "engine/ShadowCopyRestorePoints.h"
#include "engine/TempFileSlot.h"
#include "support/RecordingRestorePointRemoval.h"
#include "support/ScriptedDrives.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

using Texts = std::vector<std::string>;
constexpr uint64_t kMiB = 1 << 20, kGiB = 1 << 30;
constexpr uint64_t kPiece = FreeSpaceShredder::kSmallestChunk;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

uint64_t FreeBytes(const std::string& root) {
    ULARGE_INTEGER available{}, total{}, free{};
    ::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free);
    return available.QuadPart;
}

template <uint64_t Available, uint64_t Free>
BOOL WINAPI FakeSpace(LPCSTR, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free) {
    available->QuadPart = Available;
    total->QuadPart = 4 * kGiB;
    if (free != nullptr) free->QuadPart = Free;
    return TRUE;
}

class FreeSpaceTest : public ::testing::Test {
protected:
    void SetUp() override { UseDrive("VANTREL_FREE_SPACE_ROOT"); }

    void UseDrive(const char* variable) {
        root = Environment(variable);
        if (root.empty()) GTEST_SKIP() << variable << " names no drive made for this (free_space_drive_test.sh)";
        if (root.back() != '\\') root += '\\';
        ASSERT_NE(root, TestDriveRoot());
        ASSERT_LT(FreeBytes(root), 64 * kMiB) << "free-space jobs run on small drives only";
        folder = root + "SHREDTMP.$$$";
        freeBefore = FreeBytes(root);
        // What the job's files hold and what the drive has left, at each block.
        engine.ui.onPump = [this] {
            filled = 0;
            for (const std::string& name : ListNames(folder)) {
                WIN32_FILE_ATTRIBUTE_DATA status{};
                if (name.rfind("SHRED", 0) == 0 &&
                    ::GetFileAttributesExA((folder + "\\" + name).c_str(), GetFileExInfoStandard, &status))
                    filled += status.nFileSizeLow;
            }
            freeAtPump = FreeBytes(root);
        };
    }
    int Run(int method) {
        engine.state.job.algorithm = method;
        return job.ShredFreeSpace(root);
    }
    void ExpectFilledAndNothingLeft(uint64_t room) {
        EXPECT_LE(filled, room);
        EXPECT_GT(filled + kPiece, room) << "filled to the last " << kPiece << " bytes";
        EXPECT_LT(freeAtPump, kPiece);
        ExpectNothingLeft();
    }
    void ExpectNothingLeft() {
        EXPECT_FALSE(Exists(folder));
        EXPECT_EQ(FreeBytes(root), freeBefore);
    }
    std::string Message(size_t index) const { return engine.ui.messages.at(index).text.substr(0, 40); }
    const Texts& Statuses() const { return engine.ui.progress.statuses; }

    TestEngine engine;
    FreeSpaceShredder job{engine.context, engine.shredder};
    std::string root, folder;
    uint64_t freeBefore = 0, filled = 0, freeAtPump = 0;
};

TEST_F(FreeSpaceTest, QuickShredOnlyFillsAndOtherMethodsOverwriteTheFilesToo) {
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(engine.ui.messages.at(0).caption, "Shred free space warning");
    EXPECT_EQ(engine.ui.progress.titles, Texts{"Shredding free space on drive " + root.substr(0, 2)});
    EXPECT_EQ(Statuses(), (Texts{"Preparing temporary files.", "Shredding temporary file 1 of 1.",
                                 "Deleting temporary files."}));
    EXPECT_EQ(engine.ui.progress.details, (Texts{"This may take a few minutes.", "This may take a moment."}));
    EXPECT_EQ(engine.ui.progress.overallHigh, static_cast<int>((freeBefore + 65535) / 65536));
    EXPECT_EQ(engine.ui.progress.overallPos, engine.ui.pumps) << "one unit per write";
    EXPECT_FALSE(engine.ui.progress.cancelEnabled) << "while deleting";
    ExpectFilledAndNothingLeft(freeBefore);

    engine.ui.progress = RecordingProgress{};
    EXPECT_EQ(Run(1), 0);
    EXPECT_EQ(Statuses(), (Texts{"Preparing temporary files.", "Preparing temporary file 1 of 1.",
                                 folder + "\\SHRED000.TMP (1 of 1)", "Deleting temporary files."}));
    EXPECT_EQ(engine.ui.progress.details.size(), 5u) << "three passes";
    EXPECT_EQ(engine.ui.progress.overallHigh, static_cast<int>(4 * ((freeBefore + 65535) / 65536)));
    ExpectFilledAndNothingLeft(freeBefore);
}

TEST_F(FreeSpaceTest, OneFilePerGibibyteAvailable) {
    engine.machine.kernel.getDiskFreeSpaceEx = FakeSpace<7 * kGiB / 2, 7 * kGiB / 2>;
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(engine.ui.progress.overallHigh, 57344);
    EXPECT_EQ(Statuses().at(4), "Shredding temporary file 4 of 4.");
    ExpectFilledAndNothingLeft(freeBefore);

    engine.ui.progress = RecordingProgress{};
    engine.machine.kernel.getDiskFreeSpaceEx = FakeSpace<2 * kGiB, 2 * kGiB>;
    EXPECT_EQ(Run(1), 0);
    EXPECT_EQ(engine.ui.progress.overallHigh, 131072);
    EXPECT_EQ(Statuses().at(6), folder + "\\SHRED002.TMP (3 of 3)") << "empty files are shredded too";
    ExpectNothingLeft();
}

TEST_F(FreeSpaceTest, WarningsAreAskedOnlyOutsideTheRunMode) {
    engine.machine.isXpOrMe = true;
    engine.ui.messageAnswers = {IDCANCEL, IDOK, IDCANCEL};
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(Message(0), "Under Windows XP and Windows ME, this co");
    EXPECT_EQ(Message(2), "This function allocates all available fr");
    EXPECT_EQ(engine.ui.progressOpened, 0);
    EXPECT_FALSE(Exists(folder));

    engine.state.runMode = true;
    EXPECT_EQ(Run(1), 0);
    EXPECT_EQ(engine.ui.messages.size(), 3u);
    EXPECT_TRUE(engine.log.records.empty());
    EXPECT_EQ(Statuses().at(1), "Preparing temporary file 1 of 1.");
    ExpectFilledAndNothingLeft(freeBefore);
}

TEST_F(FreeSpaceTest, QuotasAreReportedOrAsked) {
    engine.machine.kernel.getDiskFreeSpaceEx = FakeSpace<0, 4 * kMiB>;
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(engine.ui.messages.at(1).text,
              "There is no free space available on drive " + root.substr(0, 2) + "\nfor the current user account.");
    EXPECT_EQ(engine.ui.messages[1].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));

    engine.machine.kernel.getDiskFreeSpaceEx = FakeSpace<kMiB, 4 * kMiB>;
    engine.ui.messageAnswers = {IDOK, IDNO};
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(Message(3), "There is a disk space quota in effect fo");
    EXPECT_EQ(engine.ui.messages[3].flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(engine.ui.progressOpened, 0);
    ExpectNothingLeft();

    engine.state.runMode = true;
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(engine.log.records.size(), 1u) << "logged, and the job goes on";
    EXPECT_EQ(engine.ui.progress.overallHigh, 16);  // the blocks of 1 MiB
    ExpectFilledAndNothingLeft(freeBefore);
}

// Removed shadow copies leave their blocks as they were: the job that removes
// restore points (the system's removal faked) then fills and frees this drive.
TEST_F(FreeSpaceTest, RemovedRestorePointsHaveTheirDrivesFreeSpaceShredded) {
    engine.machine.isVistaOrLater = true;
    engine.machine.driveRoots.fill("");
    engine.machine.driveRoots[static_cast<size_t>(root[0] - 'A')] = root;
    std::vector<RestorePointRecord> points = {{"Nightly", "time", 21, 7}, {"Update", "time", 22, 0}};
    RecordingRemover remover;
    ShadowCopyRestorePoints road{engine.context, remover, job, points};
    engine.state.runMode = true;
    EXPECT_EQ(road.RemoveAllRestorePoints(), (std::vector<int16_t>{21, 22}));
    EXPECT_EQ(remover.asked, (std::vector<uint32_t>{21, 22}));
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(engine.ui.progress.titles, Texts{"Shredding free space on drive " + root.substr(0, 2)});
    ASSERT_EQ(engine.log.notes.size(), 2u);
    EXPECT_NE(engine.log.notes[1].find("shredded now: " + root.substr(0, 2)), std::string::npos);
    EXPECT_TRUE(engine.log.records.empty()) << engine.log.records[0];
    EXPECT_FALSE(engine.ui.open) << "the progress dialog is closed";
    ExpectFilledAndNothingLeft(freeBefore);
}

TEST_F(FreeSpaceTest, CancelStopsTheJobAndEveryFileGoes) {
    engine.ui.cancelAtPump = 3;
    EXPECT_EQ(Run(1), 1);
    EXPECT_EQ(Statuses().size(), 3u) << "no shredding phase";
    ExpectNothingLeft();

    engine.ui.cancelAtPump = 0;
    engine.ui.onPump = [this] { engine.state.cancelRequested = Statuses().back().back() == ')'; };
    EXPECT_EQ(Run(1), 1);
    EXPECT_EQ(Statuses().back(), "Deleting temporary files.");
    ExpectNothingLeft();
}

// A drive without seek penalty is told of and retrimmed once its files are
// gone; a cancelled job and a hard disk are not.
TEST_F(FreeSpaceTest, ASolidStateDriveIsToldOfAndTrimmedAHardDiskNeither) {
    ScriptedDrives drives;
    drives.solidState = {static_cast<wchar_t>(root[0])};
    engine.context.seekPenalty = &drives;
    engine.context.trim = &drives;
    engine.settings.Write(setting::kSolidStateAlertDisabled, 0);
    const auto runJob = [this](bool silent) {
        JobRequest request;
        request.silent = silent;
        ShredJob::Begin(engine.state, request);  // as every door starts a job
        return Run(0);
    };
    const std::string drive = root.substr(0, 2);

    EXPECT_EQ(runJob(false), 0);
    EXPECT_EQ(engine.ui.notices, std::vector<NoticeKind>{NoticeSolidStateDrive});
    EXPECT_EQ(drives.trimmed, std::vector<wchar_t>{static_cast<wchar_t>(root[0])});
    EXPECT_EQ(Statuses().back(), "Asking drive " + drive + " to trim its free blocks.");
    ExpectNothingLeft();

    engine.ui.cancelAtPump = engine.ui.pumps + 2;
    EXPECT_EQ(runJob(false), 1);
    EXPECT_EQ(drives.trimmed.size(), 1u) << "not after a cancel";

    engine.ui.cancelAtPump = 0;
    drives.answer = TrimResult{TrimOutcome::Failed, 5};
    EXPECT_EQ(runJob(true), 0);
    EXPECT_EQ(drives.trimmed.size(), 2u);
    EXPECT_EQ(engine.log.notes.back(),
              "Drive " + drive + " was asked to trim its free blocks, but the retrim failed.\nCode: 5");
    EXPECT_TRUE(engine.log.records.empty()) << "a retrim is no part of the shredding";

    drives.solidState.clear();
    EXPECT_EQ(runJob(false), 0);
    EXPECT_EQ(drives.trimmed.size(), 2u) << "a hard disk is never trimmed";
    EXPECT_EQ(engine.ui.notices.size(), 2u) << "the cancelled job told, the hard disk's not";
    ExpectNothingLeft();
}

TEST_F(FreeSpaceTest, AnEarlierFolderIsReusedAndOnlyItsLeftoverFilesGo) {
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(Run(0), 0);
    ExpectNothingLeft();

    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    WriteFilled(folder + "\\SHRED000.TMP", 300000, 0x42);
    WriteFilled(folder + "\\shred012.tmp", 5000, 0x42);
    ::SetFileAttributesA((folder + "\\shred012.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFilled(folder + "\\keep.txt", 10, 0x42);
    ::CreateDirectoryA((folder + "\\SHRED9.TMP").c_str(), nullptr);
    EXPECT_EQ(Run(0), 0);
    const uint64_t room = FreeBytes(root);
    EXPECT_EQ(engine.ui.progress.overallHigh, static_cast<int>(room / 65536 + 1)) << "leftovers gone before measuring";
    const Texts names = ListNames(folder);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{"SHRED9.TMP", "keep.txt"}));
    RemoveTree(folder);
    ExpectFilledAndNothingLeft(room);
}

TEST_F(FreeSpaceTest, AFileInThePlaceOfTheFolderIsReportedAndKept) {
    WriteFilled(folder, 1000, 0x42);
    EXPECT_EQ(Run(0), 0);
    engine.state.runMode = true;
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(engine.ui.messages.at(1).text, "Unable to create temporary folder.");
    EXPECT_EQ(engine.log.records, Texts{"Unable to create temporary folder."});
    EXPECT_EQ(ReadBytes(folder), std::vector<uint8_t>(1000, 0x42));
    ::DeleteFileA(folder.c_str());
    ExpectNothingLeft();
}

TEST_F(FreeSpaceTest, FillTempFileHalvesItsWritesDownToTheLastBytes) {
    WriteFilled(root + "filler.bin", 3 * 65536 + 12345, 0x42);
    const uint64_t room = FreeBytes(root);
    TempFileSlot slot;
    slot.path = root + "fill.bin";
    slot.handle.Reset(::CreateFileA(slot.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    EXPECT_EQ(job.FillTempFile(slot), FreeSpaceShredder::DriveFull);
    EXPECT_LE(slot.bytesWritten, room);
    EXPECT_GT(slot.bytesWritten + kPiece, room);
    EXPECT_EQ(engine.ui.progress.itemHigh, 16384);
    ::DeleteFileA((root + "filler.bin").c_str());

    // Any other failure ends the job, reported with its code.
    slot.handle.Reset();
    slot.handle.Reset(::CreateFileA(slot.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(job.FillTempFile(slot), FreeSpaceShredder::WriteFailed);
    const std::string& text = engine.ui.messages.at(0).text;
    EXPECT_EQ(text.rfind("Write failed due to unexpected error.\r\nSystem error message: ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 32), "\r\nSystem error code: 0x 00000005");
    slot.handle.Reset();
    ::DeleteFileA(slot.path.c_str());
    ExpectNothingLeft();
}

class FreeSpaceFullDriveTest : public FreeSpaceTest {
protected:
    void SetUp() override { UseDrive("VANTREL_FULL_ROOT"); }
};

TEST_F(FreeSpaceFullDriveTest, IsReportedAndLeftAsItWas) {
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(engine.ui.messages.at(1).text, "Three is no free space available on drive " + root.substr(0, 2));
    EXPECT_EQ(engine.ui.messages[1].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(engine.ui.progressOpened, 0);
    ExpectNothingLeft();
}

// Links that the script made on the drive: the folder's name as a link, or
// a link named SHRED000.TMP inside the folder. The script checks from Linux
// that nothing was written through them or removed.
class FreeSpaceLinksTest : public FreeSpaceTest {
protected:
    void SetUp() override {
        layout = Environment("VANTREL_FREE_SPACE_LINKS");
        if (layout.empty()) GTEST_SKIP() << "the links are made by free_space_drive_test.sh";
        FreeSpaceTest::SetUp();
    }
    std::string layout;
};

TEST_F(FreeSpaceLinksTest, NothingIsWrittenThroughALink) {
    EXPECT_EQ(Run(0), 0);
    const bool folderLink = layout == "folder";
    EXPECT_EQ(engine.ui.messages.at(1).text,
              folderLink ? "Unable to create temporary folder." : "Error creating temporary files.");
    EXPECT_EQ(engine.ui.progressOpened, folderLink ? 0 : 1);
    EXPECT_EQ(engine.ui.progressClosed, engine.ui.progressOpened);
}

}  // namespace
