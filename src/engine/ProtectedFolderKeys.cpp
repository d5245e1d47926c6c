#include "engine/ProtectedFolderKeys.h"

#include <windows.h>

#include <vector>

#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {

std::wstring LongPathName(const win::FsPath& path) {
    // The prefix only where it is needed: not every system resolves short
    // names behind it.
    const std::wstring asked = path.size() < MAX_PATH ? path.Text() : path.ExtendedForm();
    std::vector<wchar_t> longer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetLongPathNameW(asked.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
        if (length == 0) return path.Text();
        if (length < longer.size()) return win::FsPath::FromExtended(std::wstring(longer.data(), length)).Text();
        longer.resize(length + 1);
    }
}

std::wstring ComparisonKey(const win::FsPath& path) {
    if (path.empty()) return std::wstring();
    const win::FsPath full = win::fs::FullPath(path);
    std::wstring key = LongPathName(full.empty() ? path : full);
    while (key.size() > 3 && (key.back() == L'\\' || key.back() == L'/')) key.pop_back();
    return key;
}

}  // namespace

ProtectedFolderKeys::ProtectedFolderKeys(const std::array<std::string, 8>& folders) : folders_(folders) {
    for (size_t i = 0; i < folders.size(); ++i) keys_[i] = ComparisonKey(win::FsPath::FromCodePage(folders[i]));
}

const std::string* ProtectedFolderKeys::Match(const win::FsPath& path) const {
    const std::wstring key = ComparisonKey(path);
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (!keys_[i].empty() && win::SamePath(keys_[i], key)) return &folders_[i];
    }
    return nullptr;
}
