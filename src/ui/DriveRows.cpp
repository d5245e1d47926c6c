#include "ui/DriveRows.h"

#include <cstdio>

std::string GigabyteText(float gib) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.2f GB", static_cast<double>(gib));
    return buffer;
}
