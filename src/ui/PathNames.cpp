#include "ui/PathNames.h"

std::vector<std::string> DroppedNames(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        const UINT copied = ::DragQueryFileA(drop, i, &name[0], length + 1);
        name.resize(copied);
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

std::string FullPathName(const std::string& path) {
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &filePart);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string full(buffer, length);
    // A folder given as "T:\dir\" is the folder "T:\dir"; a drive root keeps its backslash.
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
}

std::vector<std::string> SplitOpenFileNames(const char* buffer, size_t size) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (at < size && buffer[at] != '\0') {
        size_t end = at;
        while (end < size && buffer[end] != '\0') ++end;
        parts.emplace_back(buffer + at, end - at);
        at = end + 1;
    }
    if (parts.size() <= 1) return parts;
    std::string folder = parts.front();
    if (folder.back() != '\\') folder += '\\';
    std::vector<std::string> names;
    for (size_t i = 1; i < parts.size(); ++i) names.push_back(folder + parts[i]);
    return names;
}
