#include "engine/OverallRange.h"

#include <climits>

int32_t OverallRange(int32_t passCount, uint64_t bytes) {
    if (passCount <= 0) return 1;
    constexpr uint64_t kBlock = 65536;
    const uint64_t passes = static_cast<uint64_t>(passCount);
    const uint64_t blocks = bytes / kBlock;
    if (blocks > static_cast<uint64_t>(INT_MAX) / passes) return INT_MAX;
    // Split so that passes x bytes cannot overflow 64 bits.
    const uint64_t range = blocks * passes + (bytes % kBlock) * passes / kBlock + 1;
    return range > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int32_t>(range);
}
