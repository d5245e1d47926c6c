#include "engine/DriveInfo.h"

#include <windows.h>

std::string DriveDisplayName(char letter, const std::string& label) {
    const std::string drive = std::string(1, letter) + ":)";
    return label.empty() ? "Local Disk (" + drive : label + " (" + drive;
}

bool IsNtfsName(const std::string& fileSystem) { return ::lstrcmpiA(fileSystem.c_str(), "NTFS") == 0; }
