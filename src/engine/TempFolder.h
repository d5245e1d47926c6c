#pragma once
// The free-space job's own folder, "<root>SHREDTMP.$$$". It is made, or an
// existing one taken over, only when that name is a plain folder of the
// drive: never a file, never a link, so no temporary file is ever written
// anywhere else. Removed again when the job ends, whatever way it ends.
#include <string>

class TempFolder {
public:
    explicit TempFolder(const std::string& root);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // False when the folder can neither be made nor taken over.
    bool Open();
    // Deletes the SHRED*.TMP files that an interrupted job left directly in
    // the folder. Links, hard-linked files, folders and other names stay.
    void RemoveLeftovers() const;
    // Removes the folder once it is empty; one that still holds foreign
    // entries stays, silently.
    void Remove();

    // "X:\SHREDTMP.$$$": a drive letter and names of ASCII alone.
    const std::string& path() const { return path_; }

private:
    std::string root_;
    std::string path_;
    bool open_ = false;
};

// "SHRED*.TMP" in any case, as the file system compares names.
bool IsTempFileName(const std::wstring& name);
