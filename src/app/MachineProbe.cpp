#include "app/MachineProbe.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

std::string SpecialFolder(int csidl) {
    ITEMIDLIST* raw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &raw)) || raw == nullptr) return {};
    std::unique_ptr<ITEMIDLIST, ItemListFree> list(raw);
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(list.get(), path)) return {};
    return path;
}

}  // namespace

std::string ProgramFolder() {
    char path[MAX_PATH * 2] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, length < sizeof(path) ? length : 0);
    const size_t separator = folder.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : folder.substr(0, separator);
}

void LoadProtectedFolders(MachineFacts& facts) {
    char windows[MAX_PATH] = {};
    char system[MAX_PATH] = {};
    const UINT windowsLength = ::GetWindowsDirectoryA(windows, MAX_PATH);
    const UINT systemLength = ::GetSystemDirectoryA(system, MAX_PATH);
    facts.protectedFolders[0] = windowsLength > 0 && windowsLength < MAX_PATH ? windows : "";
    facts.protectedFolders[1] = systemLength > 0 && systemLength < MAX_PATH ? system : "";
    facts.protectedFolders[2] = SpecialFolder(CSIDL_FONTS);
    facts.protectedFolders[3] = SpecialFolder(CSIDL_STARTMENU);
    facts.protectedFolders[4] = SpecialFolder(CSIDL_PROGRAMS);
    facts.protectedFolders[5] = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    // An empty system folder must not turn into a protected "\IOSUBSYS".
    facts.protectedFolders[6] = facts.protectedFolders[1].empty() ? "" : facts.protectedFolders[1] + "\\IOSUBSYS";
    facts.protectedFolders[7] = facts.protectedFolders[1].empty() ? "" : facts.protectedFolders[1] + "\\VMM32";
}

bool QueryFixedDriveRoots(MachineFacts& facts) {
    bool anyNtfs = false;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        facts.driveRoots[letter].clear();
        facts.driveIsNtfs[letter] = false;
        if (!(drives & (1u << letter))) continue;
        const std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
        facts.driveRoots[letter] = root;
        char label[MAX_PATH + 1] = {};
        char fileSystem[64] = {};
        if (::GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr, nullptr, fileSystem,
                                    sizeof(fileSystem)) &&
            ::lstrcmpiA(fileSystem, "NTFS") == 0) {
            facts.driveIsNtfs[letter] = true;
            anyNtfs = true;
        }
    }
    return anyNtfs;
}
