#pragma once
// Restore points on the systems that keep them as volume shadow copies
// (Vista and later): there are no "RP<n>" folders to shred, so each point is
// removed through the system, and since a removed shadow copy leaves its
// blocks on the disk as they were, the free space of the drives that held
// points is shredded afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/RestorePointSource.h"

class FreeSpaceJob;
class RestorePointRemover;

class ShadowCopyRestorePoints {
public:
    ShadowCopyRestorePoints(EngineContext& context, RestorePointRemover& remover, FreeSpaceJob& freeSpace,
                            std::vector<RestorePointRecord>& restorePoints)
        : context_(context), remover_(remover), freeSpace_(freeSpace), restorePoints_(restorePoints) {}

    // Asks first (a silent run notes the question instead), then removes every
    // point of the list. Answers the numbers of the points removed.
    std::vector<int16_t> RemoveAllRestorePoints();
    // Removes the given points and forgets each one removed; when any was,
    // tells so and shreds the free space of every drive that held points.
    // A point that stays, or a system without the removal, is reported and
    // counts as not done. Answers the numbers of the points removed.
    std::vector<int16_t> RemoveRestorePoints(const std::vector<int16_t>& numbers);

private:
    bool Confirmed();
    std::vector<int16_t> ReportUnavailable();
    std::vector<int16_t> RemoveEach(const std::vector<int16_t>& numbers);
    void Forget(const std::vector<int16_t>& removed);
    void ShredFreedSpace();

    EngineContext& context_;
    RestorePointRemover& remover_;
    FreeSpaceJob& freeSpace_;
    std::vector<RestorePointRecord>& restorePoints_;
};
