#pragma once
// Whether a drive says it has no seek penalty: a solid-state or flash drive,
// which keeps spare blocks of its own that no overwrite reaches. The program
// asks the drive itself; tests answer as told.
class DriveSeekPenalty {
public:
    virtual ~DriveSeekPenalty() = default;
    // letter: 'A' to 'Z'. A drive that cannot answer counts as a hard disk.
    virtual bool HasNoSeekPenalty(wchar_t letter) = 0;
};
