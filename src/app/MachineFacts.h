#pragma once
// Facts about the machine that start-up gathers once and the jobs read.
#include <array>
#include <string>

struct MachineFacts {
    std::string programFolder;                  // folder of the executable, no trailing separator
    std::array<std::string, 8> protectedFolders;  // never entered by an interactive folder walk
    std::array<std::string, 26> driveRoots;     // "C:\" for each fixed drive, else empty
    std::array<bool, 26> driveIsNtfs{};
};
