#include "app/RecycleBinApis.h"

#include <windows.h>
#include <shlwapi.h>

#include "win/UniqueResource.h"

bool ShellVersionHasRecycleBinApis(unsigned long major, unsigned long minor) {
    return major > 4 || (major == 4 && minor > 70);
}

bool CheckRecycleBinApis() {
    win::UniqueModule shell(::LoadLibraryA("SHELL32.DLL"));
    if (!shell) return false;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(::GetProcAddress(shell.Get(), "DllGetVersion")));
    if (getVersion == nullptr) return false;
    DLLVERSIONINFO version{};
    version.cbSize = sizeof(version);
    if (FAILED(getVersion(&version))) return false;
    return ShellVersionHasRecycleBinApis(version.dwMajorVersion, version.dwMinorVersion) &&
           ::GetProcAddress(shell.Get(), "SHQueryRecycleBinA") != nullptr &&
           ::GetProcAddress(shell.Get(), "SHEmptyRecycleBinA") != nullptr;
}
