#pragma once
// The second half of free-space shredding on NTFS. A file of a few hundred
// bytes lives inside its MFT record, not in a cluster, and so do its names:
// when it is deleted the record is only marked free, and no cluster fill
// ever reaches it. Once the clusters are full, this fill takes every free
// record the MFT has by making small files (and the folders that hold
// them), each with the algorithm's data and a long random name, and then
// removes them again.
//
// The files go into a tree of folders, three entries each: a folder's
// index then stays inside its own record, so no entry ever needs a cluster
// either. With no cluster free the MFT cannot grow, so the first refused
// creation means that no free record is left.
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/EngineContext.h"
#include "win/FsPath.h"

class MftRecordFill {
public:
    // Small enough to stay in a record of 1 KiB beside a name of kNameLength
    // and the short name the system may give it too.
    static constexpr DWORD kPayloadBytes = 400;
    static constexpr size_t kNameLength = 64;
    // An MFT has at most one record per KiB of its volume, so on NTFS the
    // fill ends by itself before that; the cap of 2^20 records (1 GiB of
    // MFT) bounds the time on a file system that never refuses a small
    // file and on the largest MFTs.
    static constexpr uint64_t kRecordCap = 1u << 20;

    MftRecordFill(EngineContext& context, const win::FsPath& root, const win::FsPath& tempFolder);
    ~MftRecordFill();
    MftRecordFill(const MftRecordFill&) = delete;
    MftRecordFill& operator=(const MftRecordFill&) = delete;

    // Makes the tree's top folder while the drive still has room for its
    // entry in the temporary folder. False on a drive that is not NTFS, and
    // when the folder cannot be made.
    bool Prepare();
    // Fills the free records; the drive's clusters must be full. Stops at
    // the first refusal, at the bound and at Cancel. Answers the records
    // overwritten.
    uint64_t Fill();
    // Removes every file and folder of the fill, the newest first.
    void Remove();

    static bool IsNtfsVolume(const win::FsPath& root);

private:
    win::FsPath NodeFolder(uint64_t node) const;
    win::FsPath NodeFile(uint64_t node) const;
    bool MakeFile(const win::FsPath& path);
    void ShowCount(uint64_t records, bool now);

    EngineContext& context_;
    win::FsPath root_;
    win::FsPath top_;
    uint32_t seed_ = 0;
    bool prepared_ = false;
    uint64_t bound_ = 0;
    // Nodes whose folder exists, and whether the last one has its file.
    uint64_t nodes_ = 0;
    bool lastHasFile_ = false;
    DWORD lastShown_ = 0;
};

// "<n> free MFT records overwritten on drive X:, ...", for the log and the page.
std::string MftRecordsText(const EngineContext& context, uint64_t records, const std::string& driveName);
