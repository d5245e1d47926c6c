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

}  // namespace

FolderLinkGuard::FolderLinkGuard(const std::string& folder) {
    // Looked up at run time: the program also runs on Windows XP.
    if (HMODULE kernel = ::GetModuleHandleA("kernel32.dll"))
        finalPath_ = reinterpret_cast<FinalPathFunction>(::GetProcAddress(kernel, "GetFinalPathNameByHandleA"));
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
    BY_HANDLE_FILE_INFORMATION facts{};
    if (::GetFileInformationByHandle(opened.Get(), &facts)) {
        if (facts.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return Reach::Link;
        // A hard link shares its data with a name that may lie outside the tree.
        if (!folder && facts.nNumberOfLinks > 1) return Reach::SharedData;
    }
    return LeadsHere(opened.Get(), entry) ? Reach::Own : Reach::Link;
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
