// Shred Drive as a user works it: a small drive of the test's own, a file
// deleted there before the run, its free space shredded from the page. The
// script that runs the journeys then scans the drive's raw image for the
// deleted file's data.
#include "journeys/Journey.h"

#include <cstdlib>

#include "res/resource.h"
#include "support/TestFolder.h"

namespace {

constexpr int kDriveTab = 3;

// The letter of the drive the script linked, or empty when it could not.
std::string JourneyDrive() {
    const char* letter = std::getenv("VANTREL_JOURNEY_DRIVE");
    return letter != nullptr ? letter : "";
}

int RowOfDrive(HWND list, const std::string& letter) {
    const std::vector<std::string> rows = drive::ListColumn(list);
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].find("(" + letter + ":)") != std::string::npos || rows[row].rfind(letter + ":", 0) == 0)
            return static_cast<int>(row);
    return -1;
}

// Written through to the disk, so that the deletion leaves the data in free blocks.
void WriteToDisk(const std::string& path, const std::string& text) {
    win::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.Valid());
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    ASSERT_TRUE(::FlushFileBuffers(file.Get()));
}

class DriveJourney : public Journey {};

TEST_F(DriveJourney, FreeSpaceShreddedFromThePageOverwritesAFileDeletedBeforeTheRun) {
    const std::string letter = JourneyDrive();
    if (letter.empty()) GTEST_SKIP() << "no drive of the journey's own could be linked";
    const std::string deleted = letter + ":\\deleted.txt";
    std::string secret;
    while (secret.size() < 200000) secret += "DELETED-BEFORE-THE-RUN ";
    WriteToDisk(deleted, secret);
    ASSERT_TRUE(::DeleteFileA(deleted.c_str()));
    const std::string kept = letter + ":\\kept.txt";
    WriteFilled(kept, 5000, 0x4B);
    StartProgram();
    HWND page = ShowTab(kDriveTab);

    HWND list = ::GetDlgItem(page, IDC_DRIVE_LIST);
    const int row = RowOfDrive(list, letter);
    ASSERT_GE(row, 0) << "the page does not list " << letter << ":";
    ASSERT_TRUE(drive::SelectListRow(list, row));
    ASSERT_TRUE(drive::ClickItem(page, IDC_DRIVE_SHRED_NOW));
    AnswerBox(IDOK, "allocates all available free space");
    ASSERT_TRUE(WaitForJobEnd(120000)) << "the job did not end";
    // The kept file is whole, and the job left nothing of its own.
    EXPECT_EQ(ReadBytes(kept), std::vector<uint8_t>(5000, 0x4B));
    for (const std::string& name : ListNames(letter + ":\\")) EXPECT_TRUE(name == "kept.txt" || name == "lost+found") << name;
    WriteFilled(WorkFolder() + "\\drive_journey_ran", 1, 1);
    ExitProgram();
}

}  // namespace
