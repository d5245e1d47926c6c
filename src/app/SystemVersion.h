#pragma once
// Which family of Windows runs the program, and whether it keeps restore points.
#include <cstdint>

struct SystemVersion {
    bool isNT = false;
    bool isXpOrMe = false;  // XP (NT 5.1) and ME (4.90) are the systems with System Restore
    bool restorePointsAreShadowCopies = false;  // Vista (NT 6.0) and later: no "RP<n>" folders
};

SystemVersion ClassifySystemVersion(uint32_t platformId, uint32_t major, uint32_t minor);
SystemVersion QuerySystemVersion();
