#pragma once
// The two parts of a file name that the rename replaces: the base name
// (between the last separator and the last dot) and the extension (after that
// dot). Either may be empty; the folder part is never touched.
#include <cstddef>
#include <string>

struct FileNameParts {
    size_t baseStart = 0;
    size_t baseLength = 0;
    size_t extensionStart = 0;
    size_t extensionLength = 0;
};

inline FileNameParts SplitFileName(const std::string& path) {
    FileNameParts parts;
    const size_t separator = path.find_last_of("\\/:");
    parts.baseStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = path.find('.', parts.baseStart) == std::string::npos ? std::string::npos : path.rfind('.');
    if (dot == std::string::npos) {
        parts.baseLength = path.size() - parts.baseStart;
        parts.extensionStart = path.size();
        return parts;
    }
    parts.baseLength = dot - parts.baseStart;
    parts.extensionStart = dot + 1;
    parts.extensionLength = path.size() - parts.extensionStart;
    return parts;
}
