#include "engine/TempFileTable.h"

#include <windows.h>

#include <new>
#include <stdexcept>

#include "win/FileSystem.h"
#include "win/WideText.h"

TempFileTable::~TempFileTable() {
    for (size_t index = 0; index < slots_.size(); ++index) Release(index);
}

bool TempFileTable::Allocate(uint64_t count) {
    if (count > slots_.max_size()) return false;
    try {
        slots_.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool TempFileTable::Create(size_t index, const std::string& folder) {
    TempFileSlot& slot = slots_[index];
    char name[24];
    wsprintfA(name, "SHRED%03u.TMP", static_cast<unsigned>(index));
    slot.path = folder + "\\" + name;
    slot.bytesWritten = 0;
    // CREATE_NEW rather than truncating: leftovers of an earlier job have
    // been deleted by now, and what still holds the name is not ours.
    slot.handle = win::fs::Open(win::FsPath::FromCodePage(slot.path), GENERIC_WRITE, 0, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH);
    if (slot.handle) return true;
    slot.handle.Reset();
    return false;
}

void TempFileTable::Release(size_t index) {
    TempFileSlot& slot = slots_[index];
    if (!slot.handle) return;
    slot.handle.Reset();
    win::fs::Delete(win::FsPath::FromCodePage(slot.path));
}
