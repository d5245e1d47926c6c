#include "ui/PathNames.h"

#include "win/FileSystem.h"
#include "win/WideText.h"

std::vector<win::FsPath> DroppedNames(HDROP drop) {
    std::vector<win::FsPath> names;
    const bool wide = win::fs::IsNtFamily();
    const UINT count = wide ? ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name;
        if (wide) {
            const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
            name.assign(length + 1, L'\0');
            name.resize(::DragQueryFileW(drop, i, &name[0], length + 1));
        } else {
            // The 9x family drops names in the code page only.
            const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
            std::string ansi(length + 1, '\0');
            ansi.resize(::DragQueryFileA(drop, i, &ansi[0], length + 1));
            name = win::WidenAnsi(ansi);
        }
        if (!name.empty()) names.push_back(win::FsPath(name));
    }
    return names;
}

win::FsPath FullPathName(const win::FsPath& path) { return win::fs::FullPath(path).WithoutTrailingSeparator(); }

bool FitsJobPath(const win::FsPath& path) {
    return !path.empty() && (win::fs::IsNtFamily() || path.size() < MAX_PATH);
}

std::vector<win::FsPath> SplitOpenFileNames(const wchar_t* buffer, size_t size) {
    std::vector<std::wstring> parts;
    size_t at = 0;
    while (at < size && buffer[at] != L'\0') {
        size_t end = at;
        while (end < size && buffer[end] != L'\0') ++end;
        parts.emplace_back(buffer + at, end - at);
        at = end + 1;
    }
    std::vector<win::FsPath> names;
    if (parts.size() == 1) names.push_back(win::FsPath(parts.front()));
    if (parts.size() <= 1) return names;
    const win::FsPath folder(parts.front());
    for (size_t i = 1; i < parts.size(); ++i) names.push_back(folder.Join(parts[i]));
    return names;
}
