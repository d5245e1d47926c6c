#include "engine/FolderListing.h"

#include <cwchar>

#include "win/FileSystem.h"

namespace {

// CON, PRN, AUX, NUL, COM1..9 and LPT1..9 name devices whatever follows the
// first dot; CONIN$ and CONOUT$ as well. Superscript digits count on newer
// systems.
bool IsDeviceName(const std::wstring& name) {
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (wchar_t& c : base) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" ||
        base == L"CONOUT$")
        return true;
    if (base.size() != 4 || (base.compare(0, 3, L"COM") != 0 && base.compare(0, 3, L"LPT") != 0)) return false;
    const wchar_t digit = base[3];
    return (digit >= L'1' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace

FolderListing::FolderListing(const win::FsPath& folder) : find_(win::fs::FindFirst(folder.Join(L"*.*"), entry_)) {}

bool FolderListing::Next() { return win::fs::FindNext(find_.Get(), entry_); }

bool IsDotEntry(const WIN32_FIND_DATAW& entry) {
    return std::wcscmp(entry.cFileName, L".") == 0 || std::wcscmp(entry.cFileName, L"..") == 0;
}

bool IsFolderEntry(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool IsLinkEntry(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsSystemEntry(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0; }

uint64_t EntrySize(const WIN32_FIND_DATAW& entry) {
    return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

bool IsPlainName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name) {
        if (c < 0x20 || std::wcschr(L"<>:\"/\\|?*", c) != nullptr) return false;
    }
    if (name.back() == L'.' || name.back() == L' ') return false;
    return !IsDeviceName(name);
}

win::FsPath EntryPath(const win::FsPath& folder, const WIN32_FIND_DATAW& entry, size_t room) {
    std::wstring name = entry.cFileName;
    if (win::fs::IsNtFamily()) {
        // Only a name with a separator or a wildcard could lead elsewhere.
        if (name.empty() || name == L"." || name == L".." || name.find_first_of(L"\\/*?") != std::wstring::npos)
            return win::FsPath();
        return folder.Join(name);
    }
    if (!IsPlainName(name)) name = entry.cAlternateFileName;
    if (!IsPlainName(name)) return win::FsPath();
    win::FsPath path = folder.Join(name);
    if (path.size() + room > kLongestPath) return win::FsPath();
    return path;
}

bool QueryPathStatus(const win::FsPath& path, WIN32_FIND_DATAW& status) {
    if (path.empty() || path.Text().find_first_of(L"*?") != std::wstring::npos) return false;
    win::UniqueFindHandle find = win::fs::FindFirst(path, status);
    return find.Valid();
}
