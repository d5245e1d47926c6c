#pragma once
// The kernel functions that not every supported system has, looked up at run
// time so that the program still loads where they are missing.
#include <windows.h>

#include "win/UniqueResource.h"

struct KernelEntryPoints {
    using DiskFreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    using DiskFreeSpace = BOOL(WINAPI*)(LPCSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD);
    using FilePointerEx = BOOL(WINAPI*)(HANDLE, LARGE_INTEGER, PLARGE_INTEGER, DWORD);

    enum class LoadResult { Loaded, NoModule, NoFreeSpaceQuery };

    // Loads kernel32 and finds one of the two free-space queries.
    LoadResult Load();
    // NT systems also need the 64-bit file pointer.
    bool FindFilePointerEx();
    void Release();

    win::UniqueModule module;
    DiskFreeSpaceEx getDiskFreeSpaceEx = nullptr;
    DiskFreeSpace getDiskFreeSpace = nullptr;  // only looked up when the extended query is missing
    FilePointerEx setFilePointerEx = nullptr;
};
