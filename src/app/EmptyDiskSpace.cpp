#include "app/EmptyDiskSpace.h"

void ShredEveryFixedDrive(const MachineFacts& machine, FreeSpaceJob& job, EngineState& state) {
    for (const std::string& root : machine.driveRoots) {
        if (root.empty()) continue;
        // Each drive's job clears the flag when it starts, so its answer tells.
        if (job.ShredFreeSpace(root) == 1 || state.cancelRequested) return;
    }
}
