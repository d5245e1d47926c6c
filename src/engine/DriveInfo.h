#pragma once
// One local fixed drive as the Shred Drive page lists it.
#include <string>

struct DriveInfo {
    std::string displayName;  // "Local Disk (D:)" without a label, else "Data (D:)"
    std::string fileSystem;   // as the volume reports it: "NTFS", "FAT32", ...
    float totalGiB = 0;
    float freeGiB = 0;  // available to this user
};

std::string DriveDisplayName(char letter, const std::string& label);
// Some drivers report the name in lower case; it is NTFS all the same.
bool IsNtfsName(const std::string& fileSystem);
