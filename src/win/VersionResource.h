#pragma once
// The string entries of a module's version resource, read once.
#include <windows.h>

#include <string>
#include <vector>

namespace win {

class VersionResource {
public:
    // The module's file; an empty path reads the running executable's own.
    explicit VersionResource(const std::string& modulePath = std::string());

    // False when the file has no version resource.
    bool Present() const noexcept { return !data_.empty(); }
    // The entry of "\StringFileInfo\040904b0\<name>"; empty when missing.
    std::string Entry(const std::string& name) const;

private:
    // VerQueryValueA may write its ANSI copies into the block.
    mutable std::vector<char> data_;
};

}  // namespace win
