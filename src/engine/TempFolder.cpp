#include "engine/TempFolder.h"

#include <windows.h>

#include <vector>

#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {

bool EqualsIgnoringCase(const std::wstring& text, size_t at, const wchar_t* part, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        const wchar_t a = text[at + i];
        const wchar_t upper = (a >= L'a' && a <= L'z') ? static_cast<wchar_t>(a - L'a' + L'A') : a;
        if (upper != part[i]) return false;
    }
    return true;
}

win::FsPath Wide(const std::string& asciiPath) { return win::FsPath::FromCodePage(asciiPath); }

}  // namespace

bool IsTempFileName(const std::wstring& name) {
    static constexpr wchar_t kStart[] = L"SHRED";
    static constexpr wchar_t kEnd[] = L".TMP";
    const size_t start = 5, end = 4;
    return name.size() >= start + end && EqualsIgnoringCase(name, 0, kStart, start) &&
           EqualsIgnoringCase(name, name.size() - end, kEnd, end);
}

TempFolder::TempFolder(const std::string& root) : root_(root), path_(root + "SHREDTMP.$$$") {}

TempFolder::~TempFolder() { Remove(); }

bool TempFolder::Open() {
    if (win::fs::CreateFolder(Wide(path_))) {
        open_ = true;
        return true;
    }
    // Whatever holds the name already must be a folder of this very drive:
    // through a link the job would fill and delete files somewhere else.
    WIN32_FIND_DATAW status{};
    if (!QueryPathStatus(Wide(path_), status) || !IsFolderEntry(status)) return false;
    if (!FolderLinkGuard(Wide(root_)).IsOwnFolder(Wide(path_), status)) return false;
    open_ = true;
    return true;
}

void TempFolder::RemoveLeftovers() const {
    if (!open_) return;
    const win::FsPath folder = Wide(path_);
    const FolderLinkGuard guard(folder);
    std::vector<win::FsPath> doomed;
    FolderListing listing(folder);
    if (listing) {
        do {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            if (IsFolderEntry(entry) || !IsTempFileName(entry.cFileName) ||
                !IsPlainName(entry.cFileName))
                continue;
            const win::FsPath path = folder.Join(entry.cFileName);
            // A link or a hard link shares its data with a name outside the
            // folder: even its attributes belong to that other name.
            if (guard.IsOwnFile(path, entry)) doomed.push_back(path);
        } while (listing.Next());
    }
    for (const win::FsPath& path : doomed) {
        win::fs::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
        win::fs::Delete(path);
    }
}

void TempFolder::Remove() {
    if (!open_) return;
    open_ = false;
    win::fs::RemoveFolder(Wide(path_));
}
