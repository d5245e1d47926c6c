#pragma once
// One temporary file grown over a drive's free space: the free-space job owns
// the handle; the overwrite engine only writes through it.
#include <cstdint>
#include <string>

#include "win/UniqueResource.h"

struct TempFileSlot {
    win::UniqueHandle handle;
    std::string path;
    uint32_t bytesWritten = 0;
};
