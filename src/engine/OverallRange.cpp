#include "engine/OverallRange.h"

#include <climits>

#include "engine/FolderShredder.h"

void JobProgress::AddFolder(const win::FsPath& path) { blocks_ += FolderShredder::GetFolderBlocks(path); }

int32_t JobProgress::Range(int32_t passCount) const {
    if (passCount <= 0 || blocks_ == 0) return 1;
    const uint64_t passes = static_cast<uint64_t>(passCount);
    if (blocks_ > static_cast<uint64_t>(INT_MAX) / passes) return INT_MAX;
    return static_cast<int32_t>(blocks_ * passes);
}
