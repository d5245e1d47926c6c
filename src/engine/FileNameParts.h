#pragma once
// The two parts of a file name that the rename replaces: the base name
// (between the last separator and the last dot) and the extension (after that
// dot). Either may be empty; the folder part is never touched. Lengths are
// counted in the string's own units (UTF-16 units for a wide path).
#include <cstddef>
#include <string>

struct FileNameParts {
    size_t baseStart = 0;
    size_t baseLength = 0;
    size_t extensionStart = 0;
    size_t extensionLength = 0;
};

template <typename Char>
FileNameParts SplitFileName(const std::basic_string<Char>& path) {
    using String = std::basic_string<Char>;
    FileNameParts parts;
    const Char separators[] = {Char('\\'), Char('/'), Char(':'), Char(0)};
    const size_t separator = path.find_last_of(separators);
    parts.baseStart = separator == String::npos ? 0 : separator + 1;
    const size_t dot = path.find(Char('.'), parts.baseStart) == String::npos ? String::npos : path.rfind(Char('.'));
    if (dot == String::npos) {
        parts.baseLength = path.size() - parts.baseStart;
        parts.extensionStart = path.size();
        return parts;
    }
    parts.baseLength = dot - parts.baseStart;
    parts.extensionStart = dot + 1;
    parts.extensionLength = path.size() - parts.extensionStart;
    return parts;
}

inline FileNameParts SplitFileName(const char* path) { return SplitFileName(std::string(path)); }
