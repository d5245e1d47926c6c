#pragma once
// The overall bar counts 64 KiB writes: a job sets its range to
// passes x bytes / 65,536 + 1 before the progress dialog opens.
#include <cstdint>

// Held at the largest range the bar takes rather than wrapping around.
int32_t OverallRange(int32_t passCount, uint64_t bytes);
