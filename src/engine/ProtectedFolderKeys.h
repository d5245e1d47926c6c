#pragma once
// The protected folders in the form a walk's paths are compared in: full,
// long names, no trailing backslash, so that "C:\DOCUME~1\x\Desktop" or the
// child of a drive root still meets its entry.
#include <array>
#include <string>

#include "win/FsPath.h"

class ProtectedFolderKeys {
public:
    // The folders as start-up found them, in the code page.
    explicit ProtectedFolderKeys(const std::array<std::string, 8>& folders);

    // The list entry's own text, or nullptr when path is none of them.
    const std::string* Match(const win::FsPath& path) const;

private:
    const std::array<std::string, 8>& folders_;
    std::array<std::wstring, 8> keys_;
};
