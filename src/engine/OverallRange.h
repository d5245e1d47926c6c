#pragma once
// The overall bar of a job: its range and its steps in one unit, the 64 KiB
// blocks the passes write (a file's last, partial block counts as one), so
// that the bar is full exactly when the job's last block is written.
#include <cstdint>
#include <string>

#include "win/FsPath.h"

class JobProgress {
public:
    static uint64_t BlocksOf(uint64_t bytes) { return (bytes + kBlock - 1) / kBlock; }

    void AddFile(uint64_t bytes) { blocks_ += BlocksOf(bytes); }
    // Every file below the folder, as a walk reaches them.
    void AddFolder(const win::FsPath& path);
    // A job that knows only a total (a bin's size, a drive's free space).
    void AddBytes(uint64_t bytes) { blocks_ += BlocksOf(bytes); }
    uint64_t blocks() const { return blocks_; }

    // passes x blocks, at least 1, held at the largest range the bar takes
    // rather than wrapping around.
    int32_t Range(int32_t passCount) const;

private:
    static constexpr uint64_t kBlock = 65536;
    uint64_t blocks_ = 0;
};
