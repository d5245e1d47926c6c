#include "win/FileSystem.h"

#include <vector>

#include "win/WideText.h"

namespace win::fs {

namespace {

// The path as the 9x family's ANSI calls take it; false (with the last
// error set) when they cannot name exactly this path.
bool AnsiForm(const FsPath& path, std::string& ansi) {
    bool complete = true;
    ansi = NarrowAnsi(path.Text(), &complete);
    if (!complete) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    if (ansi.size() >= MAX_PATH) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    return true;
}

void CopyName(const char* from, WCHAR* to, size_t room) {
    const std::wstring wide = WidenAnsi(from);
    const size_t length = wide.size() < room ? wide.size() : room - 1;
    wide.copy(to, length);
    to[length] = L'\0';
}

void WidenEntry(const WIN32_FIND_DATAA& from, WIN32_FIND_DATAW& to) {
    to.dwFileAttributes = from.dwFileAttributes;
    to.ftCreationTime = from.ftCreationTime;
    to.ftLastAccessTime = from.ftLastAccessTime;
    to.ftLastWriteTime = from.ftLastWriteTime;
    to.nFileSizeHigh = from.nFileSizeHigh;
    to.nFileSizeLow = from.nFileSizeLow;
    to.dwReserved0 = from.dwReserved0;
    to.dwReserved1 = from.dwReserved1;
    CopyName(from.cFileName, to.cFileName, MAX_PATH);
    CopyName(from.cAlternateFileName, to.cAlternateFileName, 14);
}

}  // namespace

bool IsNtFamily() { return (::GetVersion() & 0x80000000u) == 0; }

DWORD Attributes(const FsPath& path) {
    if (IsNtFamily()) return ::GetFileAttributesW(path.ExtendedForm().c_str());
    std::string ansi;
    return AnsiForm(path, ansi) ? ::GetFileAttributesA(ansi.c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool AttributeData(const FsPath& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (IsNtFamily()) return ::GetFileAttributesExW(path.ExtendedForm().c_str(), GetFileExInfoStandard, &data) != FALSE;
    std::string ansi;
    return AnsiForm(path, ansi) && ::GetFileAttributesExA(ansi.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

bool SetAttributes(const FsPath& path, DWORD attributes) {
    if (IsNtFamily()) return ::SetFileAttributesW(path.ExtendedForm().c_str(), attributes) != FALSE;
    std::string ansi;
    return AnsiForm(path, ansi) && ::SetFileAttributesA(ansi.c_str(), attributes) != FALSE;
}

bool Exists(const FsPath& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

UniqueHandle Open(const FsPath& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    if (IsNtFamily())
        return UniqueHandle(
            ::CreateFileW(path.ExtendedForm().c_str(), access, share, nullptr, disposition, flags, nullptr));
    std::string ansi;
    if (!AnsiForm(path, ansi)) return UniqueHandle();
    return UniqueHandle(::CreateFileA(ansi.c_str(), access, share, nullptr, disposition, flags, nullptr));
}

bool Move(const FsPath& from, const FsPath& to) {
    if (IsNtFamily()) return ::MoveFileW(from.ExtendedForm().c_str(), to.ExtendedForm().c_str()) != FALSE;
    std::string ansiFrom, ansiTo;
    return AnsiForm(from, ansiFrom) && AnsiForm(to, ansiTo) && ::MoveFileA(ansiFrom.c_str(), ansiTo.c_str()) != FALSE;
}

bool Delete(const FsPath& path) {
    if (IsNtFamily()) return ::DeleteFileW(path.ExtendedForm().c_str()) != FALSE;
    std::string ansi;
    return AnsiForm(path, ansi) && ::DeleteFileA(ansi.c_str()) != FALSE;
}

bool CreateFolder(const FsPath& path) {
    if (IsNtFamily()) return ::CreateDirectoryW(path.ExtendedForm().c_str(), nullptr) != FALSE;
    std::string ansi;
    return AnsiForm(path, ansi) && ::CreateDirectoryA(ansi.c_str(), nullptr) != FALSE;
}

bool RemoveFolder(const FsPath& path) {
    if (IsNtFamily()) return ::RemoveDirectoryW(path.ExtendedForm().c_str()) != FALSE;
    std::string ansi;
    return AnsiForm(path, ansi) && ::RemoveDirectoryA(ansi.c_str()) != FALSE;
}

UniqueFindHandle FindFirst(const FsPath& pattern, WIN32_FIND_DATAW& entry) {
    if (IsNtFamily()) return UniqueFindHandle(::FindFirstFileW(pattern.ExtendedForm().c_str(), &entry));
    std::string ansi;
    if (!AnsiForm(pattern, ansi)) return UniqueFindHandle();
    WIN32_FIND_DATAA narrow{};
    UniqueFindHandle find(::FindFirstFileA(ansi.c_str(), &narrow));
    if (find) WidenEntry(narrow, entry);
    return find;
}

bool FindNext(HANDLE find, WIN32_FIND_DATAW& entry) {
    if (IsNtFamily()) return ::FindNextFileW(find, &entry) != FALSE;
    WIN32_FIND_DATAA narrow{};
    if (!::FindNextFileA(find, &narrow)) return false;
    WidenEntry(narrow, entry);
    return true;
}

FsPath FullPath(const FsPath& path) {
    if (path.empty()) return FsPath();
    if (!IsNtFamily()) {
        std::string ansi;
        if (!AnsiForm(path, ansi)) return FsPath();
        char full[MAX_PATH];
        const DWORD length = ::GetFullPathNameA(ansi.c_str(), MAX_PATH, full, nullptr);
        if (length == 0 || length >= MAX_PATH) return FsPath();
        return FsPath(WidenAnsi(std::string(full, length)));
    }
    std::vector<wchar_t> full(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.Text().c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return FsPath();
        if (length < full.size()) return FsPath(std::wstring(full.data(), length));
        full.resize(length + 1);
    }
}

}  // namespace win::fs
