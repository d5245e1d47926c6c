#pragma once
// The current user's security identifier in its text form, which names the
// user's own Recycle Bin folder on NTFS drives.
#include <windows.h>

#include <cstddef>
#include <string>

// False when the SID is invalid or its text would not fit into `capacity`
// characters (with the terminator).
bool SidToText(PSID sid, size_t capacity, std::string& text);

// Only NT systems with an NTFS fixed drive keep per-user bin folders, and
// only a shell with the Recycle Bin functions lets the bin job run.
inline bool UserSidNeeded(bool isNT, bool anyNtfs, bool recycleApisAvailable) {
    return isNT && anyNtfs && recycleApisAvailable;
}

// 0 done, 1 the process token cannot be opened, 2 its user cannot be read,
// 3 the text cannot be made.
int GetUserSidText(std::string& userSid);
