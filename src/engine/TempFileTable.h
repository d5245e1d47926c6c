#pragma once
// The temporary files of one free-space job, one slot each. The count is
// fixed before the first file is made. Every file made here is closed and
// deleted again, by the job's own clean-up or, whatever else happens, when
// the table goes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/TempFileSlot.h"

class TempFileTable {
public:
    TempFileTable() = default;
    ~TempFileTable();
    TempFileTable(const TempFileTable&) = delete;
    TempFileTable& operator=(const TempFileTable&) = delete;

    // False when the memory for count slots cannot be had.
    bool Allocate(uint64_t count);
    size_t size() const { return slots_.size(); }
    TempFileSlot& operator[](size_t index) { return slots_[index]; }

    // Makes file "SHRED<index>.TMP" in folder for writing, unshared and
    // write-through. Only a new file is made: a name that is still taken,
    // by a file or a link, is never opened, so no write goes through a link.
    bool Create(size_t index, const std::string& folder);
    // Closes and deletes the slot's file, if it was made.
    void Release(size_t index);

private:
    std::vector<TempFileSlot> slots_;
};
