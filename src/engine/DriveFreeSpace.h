#pragma once
// The free-space figures of the drive that holds a path.
#include <cstdint>
#include <string>

struct KernelEntryPoints;

struct DriveSpace {
    uint64_t available = 0;  // free bytes this user may still write (quotas included)
    uint64_t total = 0;
    uint64_t free = 0;
};

// All zero when the drive cannot be asked.
DriveSpace QueryDriveFreeSpace(const KernelEntryPoints& kernel, const std::string& path);
