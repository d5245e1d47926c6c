#include "ui/RestorePointRows.h"

#include <algorithm>
#include <cstdlib>

#include "engine/RestorePointText.h"

constexpr int RestorePointRows::kHeaderIds[];

std::array<std::string, RestorePointRows::kColumns> RestorePointRows::Texts(const RestorePointRecord& point) {
    return {point.description, point.creationTime, std::to_string(point.sequenceNumber),
            RestorePointTypeName(point.type)};
}

int16_t RestorePointRows::NumberOf(const std::string& numberText) {
    return static_cast<int16_t>(std::strtol(numberText.c_str(), nullptr, 10));
}

void RestorePointRows::Widen(int column, int width) {
    uint16_t& remembered = widths_[static_cast<size_t>(column)];
    remembered = static_cast<uint16_t>(std::clamp<int>(width, remembered, 0xFFFF));
}
