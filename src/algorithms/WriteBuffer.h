#pragma once
// The one 64 KiB buffer every pass writes from. Its content carries over from
// pass to pass and job to job: a complement pass relies on it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "algorithms/ShredAlgorithm.h"
#include "algorithms/ShredRandom.h"

// Fill modes are not the PassKind values.
enum class FillMode : int { Pattern = 0, Random = 1, Complement = 2 };

class WriteBuffer {
public:
    static constexpr size_t kSize = 65536;

    // Allocated once, not cleared; false when the memory cannot be had.
    bool Allocate();
    bool Allocated() const { return bytes_ != nullptr; }

    uint8_t* data() { return bytes_.get(); }
    const uint8_t* data() const { return bytes_.get(); }

    void FillWriteBuffer(FillMode mode, const uint8_t* pattern, size_t length, ShredRandom& random);
    // The fill a pass of this kind needs.
    void FillForPass(const ShredPass& pass, ShredRandom& random);

private:
    std::unique_ptr<uint8_t[]> bytes_;
};

// Two upper-case hexadecimal digits of one byte: 0x0A gives "0A".
std::string ByteToHex(uint8_t value);
