#include "engine/FolderLinkGuard.h"

#include <vector>

#include "engine/FolderListing.h"
#include "win/UniqueResource.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opened for no access at all: nothing is read, and no sharing rule of other
// openers can refuse it.
win::UniqueHandle OpenForQuery(const std::string& path) {
    return win::UniqueHandle(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
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

FolderLinkGuard::FolderLinkGuard(const std::string& folder) {
    // Looked up at run time: the program also runs on Windows XP.
    if (HMODULE kernel = ::GetModuleHandleA("kernel32.dll")) {
        finalPath_ = reinterpret_cast<FinalPathFunction>(::GetProcAddress(kernel, "GetFinalPathNameByHandleA"));
        handleInfo_ = reinterpret_cast<HandleInfoFunction>(::GetProcAddress(kernel, "GetFileInformationByHandleEx"));
    }
    if (finalPath_ == nullptr) return;
    win::UniqueHandle opened = OpenForQuery(folder);
    if (opened) folderFinalPath_ = FinalPathOf(opened.Get());
}

bool FolderLinkGuard::IsOwnFile(const std::string& path, const WIN32_FIND_DATAA& entry) const {
    return Classify(path, entry, false) == Reach::Own;
}

bool FolderLinkGuard::IsOwnFolder(const std::string& path, const WIN32_FIND_DATAA& entry) const {
    return Classify(path, entry, true) == Reach::Own;
}

FolderLinkGuard::Reach FolderLinkGuard::Classify(const std::string& path, const WIN32_FIND_DATAA& entry,
                                                 bool folder) const {
    if (IsLinkEntry(entry)) return Reach::Link;
    win::UniqueHandle opened = OpenForQuery(path);
    // What cannot even be queried cannot be opened for the job either; the
    // job's own open then fails and is reported as it always is.
    if (!opened) return Reach::Own;
    DWORD attributes = 0;
    DWORD links = 1;
    if (QueryFacts(opened.Get(), attributes, links)) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Reach::Link;
        // A hard link shares its data with a name that may lie outside the tree.
        if (!folder && links > 1) return Reach::SharedData;
    }
    return LeadsHere(opened.Get(), entry) ? Reach::Own : Reach::Link;
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

bool FolderLinkGuard::LeadsHere(HANDLE opened, const WIN32_FIND_DATAA& entry) const {
    if (folderFinalPath_.empty()) return true;
    const std::string reached = FinalPathOf(opened);
    if (reached.empty()) return false;
    for (const char* name : {entry.cFileName, entry.cAlternateFileName}) {
        if (*name != '\0' && ::lstrcmpiA(reached.c_str(), JoinPath(folderFinalPath_, name).c_str()) == 0)
            return true;
    }
    return false;
}

std::string FolderLinkGuard::FinalPathOf(HANDLE opened) const {
    std::vector<char> text(MAX_PATH + 1);
    for (;;) {
        const DWORD length = finalPath_(opened, text.data(), static_cast<DWORD>(text.size()), 0);
        if (length == 0) return std::string();
        if (length < text.size()) return std::string(text.data(), length);
        text.resize(length + 1);
    }
}
