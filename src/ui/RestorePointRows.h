#pragma once
// What the Restore Points page shows of each point, and the widest text
// seen in each of its four columns.
#include <array>
#include <cstdint>
#include <string>

#include "engine/RestorePointSource.h"

class RestorePointRows {
public:
    static constexpr int kColumns = 4;
    static constexpr int kHeaderIds[kColumns] = {14005, 14006, 14007, 14008};
    static constexpr int kNumberColumn = 2;

    // Description, creation time, sequence number, type name.
    static std::array<std::string, kColumns> Texts(const RestorePointRecord& point);
    // The sequence number a row's number column shows.
    static int16_t NumberOf(const std::string& numberText);

    // Widens a column's remembered width; widths stay within 16 bits.
    void Widen(int column, int width);
    int Width(int column) const { return widths_[static_cast<size_t>(column)]; }

private:
    std::array<uint16_t, kColumns> widths_{};
};
