#include "engine/FolderListing.h"
#include "engine/FolderShredder.h"

uint64_t FolderShredder::GetFolderSize(const std::string& path) {
    uint64_t total = 0;
    FolderListing listing(path);
    if (!listing) return 0;
    do {
        const WIN32_FIND_DATAA& entry = listing.Entry();
        // Links are counted as the walk treats them: not at all. A link to
        // an ancestor would otherwise never end.
        if (IsDotEntry(entry) || IsLinkEntry(entry)) continue;
        if (!IsFolderEntry(entry)) {
            total += EntrySize(entry);
            continue;
        }
        const std::string child = EntryPath(path, entry, kPatternRoom);
        if (!child.empty()) total += GetFolderSize(child);
    } while (listing.Next());
    return total;
}
