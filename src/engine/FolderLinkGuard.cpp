#include "engine/FolderLinkGuard.h"

#include <vector>

#include "engine/FolderListing.h"
#include "win/FileSystem.h"
#include "win/UniqueResource.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opened for no access at all: nothing is read, and no sharing rule of other
// openers can refuse it.
win::UniqueHandle OpenForQuery(const win::FsPath& path) {
    return win::fs::Open(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT);
}

// The parts of FILE_BASIC_INFO and FILE_STANDARD_INFO that the guard reads
// (newer than the headers of the systems the program is built for).
struct BasicFacts {
    LARGE_INTEGER times[4];
    DWORD attributes;
};
struct StandardFacts {
    LARGE_INTEGER allocationSize;
    LARGE_INTEGER endOfFile;
    DWORD numberOfLinks;
    BOOLEAN deletePending;
    BOOLEAN directory;
};
constexpr int kFileBasicInfo = 0;
constexpr int kFileStandardInfo = 1;

}  // namespace

FolderLinkGuard::FolderLinkGuard(const win::FsPath& folder) {
    // Looked up at run time: the program also runs on Windows XP.
    if (HMODULE kernel = ::GetModuleHandleA("kernel32.dll")) {
        finalPath_ = reinterpret_cast<FinalPathFunction>(::GetProcAddress(kernel, "GetFinalPathNameByHandleW"));
        handleInfo_ = reinterpret_cast<HandleInfoFunction>(::GetProcAddress(kernel, "GetFileInformationByHandleEx"));
    }
    if (finalPath_ == nullptr) return;
    win::UniqueHandle opened = OpenForQuery(folder);
    if (opened) folderFinalPath_ = FinalPathOf(opened.Get());
}

bool FolderLinkGuard::IsOwnFile(const win::FsPath& path, const WIN32_FIND_DATAW& entry) const {
    return Classify(path, entry, false) == Reach::Own;
}

bool FolderLinkGuard::IsOwnFolder(const win::FsPath& path, const WIN32_FIND_DATAW& entry) const {
    return Classify(path, entry, true) == Reach::Own;
}

FolderLinkGuard::Reach FolderLinkGuard::Classify(const win::FsPath& path, const WIN32_FIND_DATAW& entry,
                                                 bool folder) const {
    if (IsLinkEntry(entry)) return Reach::Link;
    win::UniqueHandle opened = OpenForQuery(path);
    // What cannot even be queried cannot be opened for the job either; the
    // job's own open then fails and is reported as it always is.
    if (!opened) return Reach::Own;
    DWORD attributes = 0;
    DWORD links = 1;
    const bool known = QueryFacts(opened.Get(), attributes, links);
    if (known) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Reach::Link;
        // A hard link shares its data with a name that may lie outside the tree.
        if (!folder && links > 1) return Reach::SharedData;
    }
    return LeadsHere(opened.Get(), entry, known) ? Reach::Own : Reach::Link;
}

// GetFileInformationByHandle also asks for the volume's serial number, which
// costs Wine a round trip to its mount manager for every entry; the two
// smaller queries read only the file.
bool FolderLinkGuard::QueryFacts(HANDLE opened, DWORD& attributes, DWORD& links) const {
    BasicFacts basic{};
    StandardFacts standard{};
    if (handleInfo_ != nullptr && handleInfo_(opened, kFileBasicInfo, &basic, sizeof(basic)) &&
        handleInfo_(opened, kFileStandardInfo, &standard, sizeof(standard))) {
        attributes = basic.attributes;
        links = standard.numberOfLinks;
        return true;
    }
    BY_HANDLE_FILE_INFORMATION facts{};
    if (!::GetFileInformationByHandle(opened, &facts)) return false;
    attributes = facts.dwFileAttributes;
    links = facts.nNumberOfLinks;
    return true;
}

bool FolderLinkGuard::LeadsHere(HANDLE opened, const WIN32_FIND_DATAW& entry, bool noReparsePoint) const {
    if (folderFinalPath_.empty()) return true;
    const std::wstring reached = FinalPathOf(opened);
    // Wine gives no final path beyond MAX_PATH: there the entry's own facts,
    // no reparse point (which every link is), have to answer alone.
    if (reached.empty()) return noReparsePoint && ::GetLastError() == ERROR_MORE_DATA;
    const win::FsPath folder(folderFinalPath_);
    for (const wchar_t* name : {entry.cFileName, entry.cAlternateFileName}) {
        if (*name != L'\0' && win::SamePath(reached, folder.Join(name).Text())) return true;
    }
    return false;
}

std::wstring FolderLinkGuard::FinalPathOf(HANDLE opened) const {
    std::vector<wchar_t> text(MAX_PATH + 1);
    for (;;) {
        const DWORD length = finalPath_(opened, text.data(), static_cast<DWORD>(text.size()), 0);
        if (length == 0) return std::wstring();
        if (length < text.size()) return win::FsPath::FromExtended(std::wstring(text.data(), length)).Text();
        text.resize(length + 1);
    }
}
