#pragma once
// Facts about the machine that start-up gathers once and the jobs read.
#include <array>
#include <string>
#include <vector>

#include "engine/DriveInfo.h"
#include "engine/KernelEntryPoints.h"
#include "win/FsPath.h"

struct MachineFacts {
    std::string programFolder;                  // folder of the executable, no trailing separator
    win::FsPath logFile;                        // log.txt, where start-up found room for it
    std::array<std::string, 8> protectedFolders;  // never entered by an interactive folder walk
    std::array<std::string, 26> driveRoots;     // "C:\" for each fixed drive, else empty
    std::array<bool, 26> driveIsNtfs{};
    std::vector<DriveInfo> fixedDrives;         // in letter order
    bool isNT = false;
    bool isXpOrMe = false;                      // the systems with System Restore
    bool isVistaOrLater = false;                // bins in "$Recycle.Bin\<SID>", restore points removed through the system
    std::string userSid;                        // text form; empty when it was not needed
    bool recycleApisAvailable = false;
    bool schedulerUnavailable = false;
    KernelEntryPoints kernel;                   // the optional kernel functions, looked up at start-up
};
