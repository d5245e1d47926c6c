#include "engine/DriveFreeSpace.h"

#include "engine/KernelEntryPoints.h"

DriveSpace QueryDriveFreeSpace(const KernelEntryPoints& kernel, const std::string& path) {
    DriveSpace space;
    if (kernel.getDiskFreeSpaceEx != nullptr) {
        ULARGE_INTEGER available{}, total{}, free{};
        if (kernel.getDiskFreeSpaceEx(path.c_str(), &available, &total, &free)) {
            space.available = available.QuadPart;
            space.total = total.QuadPart;
            space.free = free.QuadPart;
        }
        return space;
    }
    if (kernel.getDiskFreeSpace == nullptr) return space;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!kernel.getDiskFreeSpace(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return space;
    // Without the extended query there are no quotas: available is free.
    // The products are taken in 64 bits; in 32 they wrap above 4 GiB.
    const uint64_t bytesPerCluster = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    space.available = space.free = bytesPerCluster * freeClusters;
    space.total = bytesPerCluster * totalClusters;
    return space;
}
