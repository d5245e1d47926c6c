#include "app/LogLocation.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "win/FileSystem.h"
#include "win/UniqueResource.h"

namespace {

constexpr int kLocalAppData = 0x001c;  // CSIDL_LOCAL_APPDATA
constexpr int kRoamingAppData = 0x001a;  // CSIDL_APPDATA
constexpr int kCreate = 0x8000;  // CSIDL_FLAG_CREATE
constexpr wchar_t kLogName[] = L"log.txt";

using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

// The shell of 2000 and ME has it; older systems only with SHFOLDER.DLL.
win::FsPath SpecialFolder(int csidl) {
    for (const char* library : {"shell32.dll", "shfolder.dll"}) {
        win::UniqueModule module(::LoadLibraryA(library));
        if (!module) continue;
        const auto function =
            reinterpret_cast<FolderPathFunction>(::GetProcAddress(module.Get(), "SHGetFolderPathW"));
        if (function == nullptr) continue;
        wchar_t path[MAX_PATH] = {};
        if (FAILED(function(nullptr, csidl | kCreate, nullptr, 0, path)) || path[0] == L'\0') return win::FsPath();
        return win::FsPath(path);
    }
    return win::FsPath();
}

}  // namespace

bool FolderTakesNewFiles(const win::FsPath& folder) {
    const win::FsPath probe = folder.Join(L"~vantrel-write-check-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp");
    // Delete-on-close: the probe never outlives the handle, even when the
    // program is stopped here.
    const win::UniqueHandle file = win::fs::Open(probe, GENERIC_WRITE, 0, CREATE_NEW,
                                                 FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN |
                                                     FILE_FLAG_DELETE_ON_CLOSE);
    return file.Valid();
}

win::FsPath PerUserLogFolder() {
    win::FsPath base = SpecialFolder(kLocalAppData);
    if (base.empty()) base = SpecialFolder(kRoamingAppData);
    if (base.empty()) return win::FsPath();
    const win::FsPath folder = base.Join(L"Vantrel");
    win::fs::CreateFolder(folder);  // fails when it is there already, which is as good
    const DWORD attributes = win::fs::Attributes(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return win::FsPath();
    return folder;
}

win::FsPath ChooseLogFile(const win::FsPath& programFolder) {
    if (FolderTakesNewFiles(programFolder)) return programFolder.Join(kLogName);
    const win::FsPath perUser = PerUserLogFolder();
    // Nowhere better: the records are lost there silently, as on a
    // write-protected disk.
    return perUser.empty() ? programFolder.Join(kLogName) : perUser.Join(kLogName);
}
