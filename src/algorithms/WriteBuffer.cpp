#include "algorithms/WriteBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

bool WriteBuffer::Allocate() {
    if (!bytes_) bytes_.reset(new (std::nothrow) uint8_t[kSize]);
    return bytes_ != nullptr;
}

void WriteBuffer::FillWriteBuffer(FillMode mode, const uint8_t* pattern, size_t length, ShredRandom& random) {
    uint8_t* bytes = bytes_.get();
    switch (mode) {
    case FillMode::Pattern:
        if (pattern == nullptr || length == 0) {
            std::memset(bytes, 0, kSize);
            break;
        }
        // Copy the pattern once, then double the filled run: byte k gets pattern[k mod n].
        {
            const size_t first = std::min(length, kSize);
            std::memcpy(bytes, pattern, first);
            size_t filled = first;
            while (filled < kSize) {
                const size_t step = std::min(filled - filled % length, kSize - filled);
                std::memcpy(bytes + filled, bytes, step);
                filled += step;
            }
        }
        break;
    case FillMode::Random:
        for (size_t k = 0; k < kSize; ++k) bytes[k] = static_cast<uint8_t>(random.Next() & 0xFF);
        break;
    case FillMode::Complement:
        for (size_t k = 0; k < kSize; ++k) bytes[k] = static_cast<uint8_t>(~bytes[k]);
        break;
    }
}

void WriteBuffer::FillForPass(const ShredPass& pass, ShredRandom& random) {
    if (pass.IsRandom())
        FillWriteBuffer(FillMode::Random, nullptr, 0, random);
    else if (pass.IsComplement())
        FillWriteBuffer(FillMode::Complement, nullptr, 0, random);
    else
        FillWriteBuffer(FillMode::Pattern, pass.pattern.data(), pass.pattern.size(), random);
}

std::string ByteToHex(uint8_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text += kDigits[value >> 4];
    text += kDigits[value & 0x0F];
    return text;
}
