#pragma once
// The current user's security identifier in its text form, which names the
// user's own Recycle Bin folder: on NTFS drives of NT 5, on every drive from
// Vista on.
#include <windows.h>

#include <cstddef>
#include <string>

// False when the SID is invalid or its text would not fit into `capacity`
// characters (with the terminator).
bool SidToText(PSID sid, size_t capacity, std::string& text);

// NT 5 keeps per-user bin folders on NTFS drives only, Vista and later on
// every drive; only a shell with the Recycle Bin functions lets the bin job run.
inline bool UserSidNeeded(bool isNT, bool isVistaOrLater, bool anyNtfs, bool recycleApisAvailable) {
    return isNT && (anyNtfs || isVistaOrLater) && recycleApisAvailable;
}

// 0 done, 1 the process token cannot be opened, 2 its user cannot be read,
// 3 the text cannot be made.
int GetUserSidText(std::string& userSid);
