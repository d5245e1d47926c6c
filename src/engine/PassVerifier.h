#pragma once
// Reads back what the last pass wrote and compares it with the buffer the
// pass wrote from. Every pass writes one filled buffer over and over, random
// passes too, so each block of the file must equal the buffer's first bytes.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "win/FsPath.h"

class PassVerifier {
public:
    enum class Result { Same, Differs, Unreadable, Cancelled };
    struct Outcome {
        Result result = Result::Same;
        uint64_t offset = 0;  // Differs: the first byte that is not what was written
    };

    // written: the handle the passes wrote through, read when the file will
    // not open a second time. afterBlock is called after each block read;
    // false stops the read (Cancel).
    Outcome Verify(const win::FsPath& path, HANDLE written, uint64_t size, const uint8_t* expected,
                   const std::function<bool()>& afterBlock);

private:
    uint8_t* AlignedBuffer();

    std::vector<uint8_t> storage_;  // one block and room to align it, taken once
};
