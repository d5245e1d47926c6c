#pragma once
// The system's documented retrim, "defrag X: /L", run hidden where it exists
// (Windows 8 and later). Per-file trim does not reach free space, and the
// volume's own defragmentation interface needs COM of Windows 8 that this
// program does not link; the tool gives the same retrim through one process.
// It is waited for within a bound and then left to finish by itself.
#include <string>

#include "engine/FreeSpaceTrim.h"

class DefragRetrim final : public FreeSpaceTrim {
public:
    static constexpr unsigned long kWaitMinutes = 3;

    TrimResult Retrim(wchar_t letter, const std::function<void()>& whileWaiting) override;

private:
    // Empty where the system has no retrim.
    static std::wstring ToolPath();
};
