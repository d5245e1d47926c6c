#pragma once
// Which family of Windows runs the program, whether it keeps restore points,
// and which Recycle Bin layout its drives have.
#include <cstdint>

struct SystemVersion {
    bool isNT = false;
    bool isXpOrMe = false;  // XP (NT 5.1) and ME (4.90) are the systems with System Restore
    bool isVistaOrLater = false;  // NT 6 and later: "$Recycle.Bin\<SID>" on every drive, restore points as shadow copies
};

SystemVersion ClassifySystemVersion(uint32_t platformId, uint32_t major, uint32_t minor);
SystemVersion QuerySystemVersion();
