#include "app/SystemVersion.h"

#include <windows.h>

SystemVersion ClassifySystemVersion(uint32_t platformId, uint32_t major, uint32_t minor) {
    SystemVersion version;
    version.isNT = platformId == VER_PLATFORM_WIN32_NT;
    version.isXpOrMe = version.isNT ? (major == 5 && minor == 1) : (major == 4 && minor == 90);
    version.isVistaOrLater = version.isNT && major >= 6;
    return version;
}

SystemVersion QuerySystemVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExA(&info)) return {};
    return ClassifySystemVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
