#pragma once
// Keeps a folder job inside the tree it was given. A listed entry is the
// folder's own only when it is no link and its data has no other name: Wine
// shows a Unix link to a file as a plain file, and every call made through
// such a name (write, cut, rename, delete, even RemoveDirectory on a link to
// a folder) acts on the link's target instead.
#include <windows.h>

#include <string>

#include "win/FsPath.h"

class FolderLinkGuard {
public:
    // Why an entry is, or is not, the folder's own.
    enum class Reach {
        Own,
        Link,        // a link of any kind, or a name that leads elsewhere
        SharedData,  // a file with more than one name (hard links)
    };

    // Learns where the folder really is, when the system can tell.
    explicit FolderLinkGuard(const win::FsPath& folder);

    // path is how the job reaches entry, a file of this folder.
    bool IsOwnFile(const win::FsPath& path, const WIN32_FIND_DATAW& entry) const;
    // The same for a subfolder.
    bool IsOwnFolder(const win::FsPath& path, const WIN32_FIND_DATAW& entry) const;
    Reach Classify(const win::FsPath& path, const WIN32_FIND_DATAW& entry, bool folder) const;

private:
    using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    using HandleInfoFunction = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);

    bool QueryFacts(HANDLE opened, DWORD& attributes, DWORD& links) const;
    // noReparsePoint: the entry's facts were read and show no reparse point.
    bool LeadsHere(HANDLE opened, const WIN32_FIND_DATAW& entry, bool noReparsePoint) const;
    std::wstring FinalPathOf(HANDLE opened) const;

    FinalPathFunction finalPath_ = nullptr;  // absent before Windows Vista
    HandleInfoFunction handleInfo_ = nullptr;  // the same
    std::wstring folderFinalPath_;           // empty when unknown
};
