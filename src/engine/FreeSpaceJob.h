#pragma once
#include <cstdint>
#include <string>

// Shreds the free space of one local fixed drive ("C:\" form). The folder
// walk hands drive roots named on the command line to it.
class FreeSpaceJob {
public:
    virtual ~FreeSpaceJob() = default;
    // 0 done or skipped, 1 the job is to stop.
    virtual int ShredFreeSpace(const std::string& root) = 0;
    // Free MFT records the last job overwrote (NTFS only).
    virtual uint64_t mftRecordsOverwritten() const { return 0; }
};
