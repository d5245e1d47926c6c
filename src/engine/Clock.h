#pragma once
#include <ctime>

// The calendar clock that seeds the generator; tests put a fixed one in.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::time_t Now() = 0;
};

class SystemClock final : public Clock {
public:
    std::time_t Now() override { return std::time(nullptr); }
};
