#pragma once
// Removes one System Restore point by its sequence number: on the systems
// whose restore points are volume shadow copies there is no folder to
// shred. The system library does it; tests put a double in its place.
#include <cstdint>

class RestorePointRemover {
public:
    virtual ~RestorePointRemover() = default;
    // False when the system offers no way to remove a point.
    virtual bool Available() = 0;
    // The system's answer: ERROR_SUCCESS when the point is gone.
    virtual unsigned long Remove(uint32_t sequenceNumber) = 0;
};
