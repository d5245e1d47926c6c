#include "engine/FolderListing.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"

namespace {

// Every file below path, each measured by `measure`; links not followed.
template <typename Measure>
uint64_t SumOverTree(const win::FsPath& path, Measure measure) {
    uint64_t total = 0;
    FolderListing listing(path);
    if (!listing) return 0;
    do {
        const WIN32_FIND_DATAW& entry = listing.Entry();
        // Links are counted as the walk treats them: not at all. A link to
        // an ancestor would otherwise never end.
        if (IsDotEntry(entry) || IsLinkEntry(entry)) continue;
        if (!IsFolderEntry(entry)) {
            total += measure(EntrySize(entry));
            continue;
        }
        const win::FsPath child = EntryPath(path, entry, kPatternRoom);
        if (!child.empty()) total += SumOverTree(child, measure);
    } while (listing.Next());
    return total;
}

}  // namespace

uint64_t FolderShredder::GetFolderSize(const win::FsPath& path) {
    return SumOverTree(path, [](uint64_t bytes) { return bytes; });
}

uint64_t FolderShredder::GetFolderBlocks(const win::FsPath& path) {
    return SumOverTree(path, [](uint64_t bytes) { return JobProgress::BlocksOf(bytes); });
}
