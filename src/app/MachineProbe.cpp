#include "app/MachineProbe.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "engine/DriveFreeSpace.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

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

win::FsPath ProgramFolderPath() {
    std::wstring path;
    if (win::fs::IsNtFamily()) {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0) return win::FsPath();
            if (length < buffer.size()) {
                path.assign(buffer.data(), length);
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
    } else {
        // The 9x family names its files in the code page, as win::fs reads them there.
        path = win::WidenAnsi(ProgramFolder() + "\\");
    }
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? win::FsPath() : win::FsPath(path.substr(0, separator));
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

bool QueryFixedDrives(MachineFacts& facts) {
    constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;
    bool anyNtfs = false;
    facts.fixedDrives.clear();
    const DWORD drives = ::GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        facts.driveRoots[index].clear();
        facts.driveIsNtfs[index] = false;
        if (!(drives & (1u << index))) continue;
        const char letter = static_cast<char>('A' + index);
        const std::string root = std::string(1, letter) + ":\\";
        if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
        facts.driveRoots[index] = root;
        char label[MAX_PATH + 1] = {};
        char fileSystem[64] = {};
        if (!::GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr, nullptr, fileSystem,
                                     sizeof(fileSystem))) {
            label[0] = '\0';
            fileSystem[0] = '\0';
        }
        const DriveSpace space = QueryDriveFreeSpace(facts.kernel, root);
        DriveInfo info;
        info.displayName = DriveDisplayName(letter, label);
        info.fileSystem = fileSystem;
        info.totalGiB = static_cast<float>(static_cast<double>(space.total) / kGiB);
        info.freeGiB = static_cast<float>(static_cast<double>(space.available) / kGiB);
        facts.fixedDrives.push_back(info);
        facts.driveIsNtfs[index] = IsNtfsName(info.fileSystem);
        anyNtfs = anyNtfs || facts.driveIsNtfs[index];
    }
    return anyNtfs;
}
