#include "support/TestFolder.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "win/UniqueResource.h"
#include "win/WideText.h"

namespace {
// Paths are UTF-8, so that a test names files in any script.
std::wstring W(const std::string& path) { return win::FromUtf8(path); }
}  // namespace

std::string TestDriveRoot() {
    const char* root = std::getenv("VANTREL_TEST_ROOT");
    std::string text = root != nullptr && *root != '\0' ? root : "T:\\";
    if (text.back() != '\\') text += '\\';
    return text;
}

TestFolder::TestFolder() {
    static unsigned counter = 0;
    for (;;) {
        path_ = TestDriveRoot() + "vt" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (::CreateDirectoryW(W(path_).c_str(), nullptr)) return;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
}

TestFolder::~TestFolder() { RemoveTree(path_); }

std::string TestFolder::MakeDir(const std::string& relative, unsigned long attributes) const {
    const std::string path = *this / relative;
    ::CreateDirectoryW(W(path).c_str(), nullptr);
    if (attributes != 0) ::SetFileAttributesW(W(path).c_str(), attributes);
    return path;
}

std::string TestFolder::MakeFile(const std::string& relative, size_t size, unsigned long attributes) const {
    const std::string path = *this / relative;
    WriteFilled(path, size, 0x42);
    if (attributes != 0) ::SetFileAttributesW(W(path).c_str(), attributes);
    return path;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW entry;
    win::UniqueFindHandle find(::FindFirstFileW(W(path + "\\*").c_str(), &entry));
    if (find) {
        do {
            const std::string name = win::ToUtf8(entry.cFileName);
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            ::SetFileAttributesW(W(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            // Never follow a link out of the test's own folder.
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(child);
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ::RemoveDirectoryW(W(child).c_str());
            else
                ::DeleteFileW(W(child).c_str());
        } while (::FindNextFileW(find.Get(), &entry));
    }
    find.Reset();
    ::RemoveDirectoryW(W(path).c_str());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    win::UniqueHandle file(
        ::CreateFileW(W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + path);
    DWORD done = 0;
    if (!bytes.empty() && !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr))
        throw std::runtime_error("cannot write " + path);
}

void WriteFilled(const std::string& path, size_t size, uint8_t value) {
    WriteBytes(path, std::vector<uint8_t>(size, value));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    win::UniqueHandle file(::CreateFileW(W(path).c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot open " + path);
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file.Get(), &size);
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    if (!bytes.empty()) ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    bytes.resize(done);
    return bytes;
}

bool Exists(const std::string& path) { return ::GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> ListNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    win::UniqueFindHandle find(::FindFirstFileW(W(folder + "\\*").c_str(), &entry));
    if (!find) return names;
    do {
        const std::string name = win::ToUtf8(entry.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileW(find.Get(), &entry));
    return names;
}
