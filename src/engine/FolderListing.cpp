#include "engine/FolderListing.h"

#include <cctype>
#include <cstring>

namespace {

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// CON, PRN, AUX, NUL, COM1..9 and LPT1..9 name devices whatever follows the
// first dot; CONIN$ and CONOUT$ as well. Superscript digits count on newer
// systems.
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$")
        return true;
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0)) return false;
    const unsigned char digit = static_cast<unsigned char>(base[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace

FolderListing::FolderListing(const std::string& folder)
    : find_(::FindFirstFileA(JoinPath(folder, "*.*").c_str(), &entry_)) {}

bool FolderListing::Next() { return ::FindNextFileA(find_.Get(), &entry_) != FALSE; }

bool IsDotEntry(const WIN32_FIND_DATAA& entry) {
    return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}

bool IsFolderEntry(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool IsLinkEntry(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsSystemEntry(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0; }

uint64_t EntrySize(const WIN32_FIND_DATAA& entry) {
    return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr) return false;
    }
    if (name.back() == '.' || name.back() == ' ') return false;
    return !IsDeviceName(name);
}

std::string EntryPath(const std::string& folder, const WIN32_FIND_DATAA& entry, size_t room) {
    std::string name = entry.cFileName;
    if (!IsPlainName(name)) name = entry.cAlternateFileName;
    if (!IsPlainName(name)) return std::string();
    std::string path = JoinPath(folder, name);
    if (path.size() + room > kLongestPath) return std::string();
    return path;
}

bool QueryPathStatus(const std::string& path, WIN32_FIND_DATAA& status) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    win::UniqueFindHandle find(::FindFirstFileA(path.c_str(), &status));
    return find.Valid();
}
