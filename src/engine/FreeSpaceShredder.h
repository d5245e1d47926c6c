#pragma once
// Shreds the free space of one drive through its file system: fills it with
// temporary files of zeros until it is full, overwrites them with the chosen
// algorithm's passes (not for Quick Shred, whose zeros are all there is to
// write), and deletes them and their folder again. Nothing of the job is left
// on the drive when it returns, however it ends.
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/EngineContext.h"
#include "engine/FreeSpaceJob.h"

class FileShredder;
class TempFileTable;
struct DriveSpace;
struct TempFileSlot;

class FreeSpaceShredder final : public FreeSpaceJob {
public:
    // Results of FillTempFile.
    enum FillResult : int {
        FileFull = 0,     // the file holds 1 GiB
        DriveFull = 1,    // the expected end of the filling
        WriteFailed = 2,  // reported already
        Cancelled = 3,
    };

    static constexpr uint32_t kFileLimit = 1u << 30;
    static constexpr DWORD kSmallestChunk = 512;

    FreeSpaceShredder(EngineContext& context, FileShredder& files) : context_(context), files_(files) {}

    // 1 when the user cancelled, so that a caller going over drives stops; else 0.
    int ShredFreeSpace(const std::string& root) override;
    // Writes the zeros of the write buffer to the slot's open file.
    int FillTempFile(TempFileSlot& slot);
    uint64_t mftRecordsOverwritten() const override { return mftRecords_; }

private:
    static int Flushed(TempFileSlot& slot, int result);
    bool Warned();
    bool SpaceIsUsable(const std::string& driveName, const DriveSpace& space);
    // True when the temporary files filled the drive.
    bool RunInDialog(TempFileTable& table, const std::string& folder, const std::string& driveName, int method);
    size_t FillDrive(TempFileTable& table, const std::string& folder, int method, bool& filled);
    void ShredTempFiles(TempFileTable& table, size_t created);
    void DeleteTempFiles(TempFileTable& table);
    void ReportWriteFailure(DWORD error);

    EngineContext& context_;
    FileShredder& files_;
    uint64_t mftRecords_ = 0;
};

