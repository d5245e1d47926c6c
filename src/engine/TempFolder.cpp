#include "engine/TempFolder.h"

#include <windows.h>

#include <vector>

#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"

namespace {

bool EqualsIgnoringCase(const std::string& text, size_t at, const char* part, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        const char a = text[at + i];
        const char b = part[i];
        const char upper = (a >= 'a' && a <= 'z') ? static_cast<char>(a - 'a' + 'A') : a;
        if (upper != b) return false;
    }
    return true;
}

}  // namespace

bool IsTempFileName(const std::string& name) {
    static constexpr char kStart[] = "SHRED";
    static constexpr char kEnd[] = ".TMP";
    const size_t start = sizeof(kStart) - 1, end = sizeof(kEnd) - 1;
    return name.size() >= start + end && EqualsIgnoringCase(name, 0, kStart, start) &&
           EqualsIgnoringCase(name, name.size() - end, kEnd, end);
}

TempFolder::TempFolder(const std::string& root) : root_(root), path_(root + "SHREDTMP.$$$") {}

TempFolder::~TempFolder() { Remove(); }

bool TempFolder::Open() {
    if (::CreateDirectoryA(path_.c_str(), nullptr)) {
        open_ = true;
        return true;
    }
    // Whatever holds the name already must be a folder of this very drive:
    // through a link the job would fill and delete files somewhere else.
    WIN32_FIND_DATAA status{};
    if (!QueryPathStatus(path_, status) || !IsFolderEntry(status)) return false;
    if (!FolderLinkGuard(root_).IsOwnFolder(path_, status)) return false;
    open_ = true;
    return true;
}

void TempFolder::RemoveLeftovers() const {
    if (!open_) return;
    const FolderLinkGuard guard(path_);
    std::vector<std::string> doomed;
    FolderListing listing(path_);
    if (listing) {
        do {
            const WIN32_FIND_DATAA& entry = listing.Entry();
            if (IsFolderEntry(entry) || !IsTempFileName(entry.cFileName) || !IsPlainName(entry.cFileName)) continue;
            const std::string path = JoinPath(path_, entry.cFileName);
            // A link or a hard link shares its data with a name outside the
            // folder: even its attributes belong to that other name.
            if (guard.IsOwnFile(path, entry)) doomed.push_back(path);
        } while (listing.Next());
    }
    for (const std::string& path : doomed) {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
    }
}

void TempFolder::Remove() {
    if (!open_) return;
    open_ = false;
    ::RemoveDirectoryA(path_.c_str());
}
