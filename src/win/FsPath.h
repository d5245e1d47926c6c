#pragma once
// The one path type of every job: a path as the user names it, in UTF-16,
// of any script and up to the system's 32,767 characters. It never passes
// through the code page; the calls of the 9x family, which take nothing
// else, get it converted explicitly (win::fs) and refuse what does not fit.
#include <string>

namespace win {

class FsPath {
public:
    FsPath() = default;
    explicit FsPath(std::wstring text) : text_(std::move(text)) {}
    // Narrow text is taken as UTF-8 (the tests' literals, text the program
    // wrote itself), which keeps every character; text in the code page
    // becomes a path only through an explicit win::WidenAnsi.
    FsPath(const char* utf8);         // NOLINT: implicit on purpose
    FsPath(const std::string& utf8);  // NOLINT: implicit on purpose
    static FsPath FromUtf8(const std::string& text);
    // A path the program holds in the code page: a drive root, a folder the
    // system named in ASCII, a protected folder as the ANSI shell gave it.
    static FsPath FromCodePage(const std::string& text);
    // A path the system gave in the "\\?\" form (a final path name), as the
    // user would write it.
    static FsPath FromExtended(const std::wstring& text);

    // As the user sees it: "T:\Reports\a.txt", "\\server\share\a.txt".
    const std::wstring& Text() const { return text_; }
    std::string Utf8() const;
    bool empty() const { return text_.empty(); }
    size_t size() const { return text_.size(); }

    // This path + "\" + name, without doubling the backslash of a drive root.
    FsPath Join(const std::wstring& name) const;
    // The folder that holds this path ("T:\" for "T:\a"); empty for a root.
    FsPath Parent() const;
    // The last part: what follows the last separator.
    std::wstring Name() const;
    // "X:\" (or "X:/"), a drive's root.
    bool IsDriveRoot() const;
    // Without the trailing separators that do not belong to a drive root.
    FsPath WithoutTrailingSeparator() const;

    // What the wide calls of the NT family are given: a full path gets the
    // "\\?\" prefix ("\\?\UNC\" for a network path), which lifts the length
    // limit and turns off the name rules that would strip a trailing dot or
    // read "nul" as a device. Separators become backslashes. A relative path,
    // or one that has the prefix already, is given as it is.
    std::wstring ExtendedForm() const;

    bool operator==(const FsPath& other) const { return text_ == other.text_; }
    bool operator!=(const FsPath& other) const { return text_ != other.text_; }
    bool operator<(const FsPath& other) const { return text_ < other.text_; }

private:
    std::wstring text_;
};

// Case-insensitive equality, as the file system compares names.
bool SamePath(const std::wstring& a, const std::wstring& b);

}  // namespace win
