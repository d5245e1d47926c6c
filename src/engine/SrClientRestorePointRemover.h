#pragma once
// SRRemoveRestorePoint of the system's srclient.dll, found at run time so the
// program still loads where System Restore has no such library (XP's is
// older, and the 9x family has none). Loaded on first use only.
#include <windows.h>

#include "engine/RestorePointRemover.h"
#include "win/UniqueResource.h"

class SrClientRestorePointRemover final : public RestorePointRemover {
public:
    bool Available() override;
    unsigned long Remove(uint32_t sequenceNumber) override;

private:
    using RemoveFunction = DWORD(WINAPI*)(DWORD);
    void Load();

    bool tried_ = false;
    win::UniqueModule module_;
    RemoveFunction remove_ = nullptr;
};
