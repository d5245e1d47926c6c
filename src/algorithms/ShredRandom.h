#pragma once
// The linear congruential generator of the shredder: 32-bit state, draws of
// 0..32767. It fills random passes and picks the letters of the new name.
#include <cstdint>

class ShredRandom {
public:
    void Seed(uint32_t seed) { state_ = seed; }
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    uint32_t state_ = 1;
};
