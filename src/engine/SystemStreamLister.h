#pragma once
// The system's listing of named streams: FindFirstStreamW from Vista on,
// BackupRead's records on NT 4 to XP, nothing on the 9x family, which has no
// streams. Both are looked up at run time, so the program loads everywhere.
#include <windows.h>

#include <string>

#include "engine/StreamLister.h"

class SystemStreamLister final : public StreamLister {
public:
    SystemStreamLister();
    std::vector<std::wstring> NamedStreams(const win::FsPath& file) const override;

    // The name in a system's stream name (":notes:$DATA"); empty for the
    // unnamed stream ("::$DATA") and for streams of other types.
    static std::wstring DataStreamName(const std::wstring& systemName);

private:
    using FindFirstStream = HANDLE(WINAPI*)(LPCWSTR, int, LPVOID, DWORD);
    using FindNextStream = BOOL(WINAPI*)(HANDLE, LPVOID);
    using BackupReadCall = BOOL(WINAPI*)(HANDLE, LPBYTE, DWORD, LPDWORD, BOOL, BOOL, LPVOID*);
    using BackupSeekCall = BOOL(WINAPI*)(HANDLE, DWORD, DWORD, LPDWORD, LPDWORD, LPVOID*);

    std::vector<std::wstring> ByFindStream(const win::FsPath& file) const;
    std::vector<std::wstring> ByBackupRead(const win::FsPath& file) const;

    FindFirstStream findFirst_ = nullptr;
    FindNextStream findNext_ = nullptr;
    BackupReadCall backupRead_ = nullptr;
    BackupSeekCall backupSeek_ = nullptr;
};
