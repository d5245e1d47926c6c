#include "engine/ProtectedFolderKeys.h"

#include <windows.h>

namespace {

std::string ComparisonKey(const std::string& path) {
    if (path.empty()) return path;
    char full[MAX_PATH];
    const DWORD fullLength = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    std::string key = fullLength > 0 && fullLength < MAX_PATH ? std::string(full, fullLength) : path;
    char longer[MAX_PATH];
    const DWORD longLength = ::GetLongPathNameA(key.c_str(), longer, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH) key.assign(longer, longLength);
    while (key.size() > 3 && (key.back() == '\\' || key.back() == '/')) key.pop_back();
    return key;
}

}  // namespace

ProtectedFolderKeys::ProtectedFolderKeys(const std::array<std::string, 8>& folders) : folders_(folders) {
    for (size_t i = 0; i < folders.size(); ++i) keys_[i] = ComparisonKey(folders[i]);
}

const std::string* ProtectedFolderKeys::Match(const std::string& path) const {
    const std::string key = ComparisonKey(path);
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (!keys_[i].empty() && ::lstrcmpiA(keys_[i].c_str(), key.c_str()) == 0) return &folders_[i];
    }
    return nullptr;
}
