#include "app/VolumeSeekPenalty.h"

#include <windows.h>
#include <winioctl.h>

#include "win/FileSystem.h"
#include "win/UniqueResource.h"

bool VolumeSeekPenalty::HasNoSeekPenalty(wchar_t letter) {
    if (!win::fs::IsNtFamily()) return false;
    const wchar_t root[] = {letter, L':', L'\\', 0};
    if (::GetDriveTypeW(root) != DRIVE_FIXED && ::GetDriveTypeW(root) != DRIVE_REMOVABLE) return false;
    // No access is asked: the query needs none, so no rights are needed either.
    const wchar_t volume[] = {L'\\', L'\\', L'.', L'\\', letter, L':', 0};
    const win::UniqueHandle device(::CreateFileW(volume, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
    if (!device) return false;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceSeekPenaltyProperty;
    query.QueryType = PropertyStandardQuery;
    DEVICE_SEEK_PENALTY_DESCRIPTOR answer{};
    DWORD returned = 0;
    if (!::DeviceIoControl(device.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &answer,
                           sizeof(answer), &returned, nullptr) ||
        returned < sizeof(answer))
        return false;
    return answer.IncursSeekPenalty == FALSE;
}
