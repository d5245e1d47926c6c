#include "engine/SrClientRestorePointRemover.h"

#include <string>

void SrClientRestorePointRemover::Load() {
    tried_ = true;
    // By its full path in the system folder: a library of that name beside the
    // program or in the working folder must never be the one that is run.
    char system[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::string path = std::string(system, length) + "\\srclient.dll";
    module_.Reset(::LoadLibraryA(path.c_str()));
    if (!module_) return;
    remove_ = reinterpret_cast<RemoveFunction>(::GetProcAddress(module_.Get(), "SRRemoveRestorePoint"));
    if (remove_ == nullptr) module_.Reset();
}

bool SrClientRestorePointRemover::Available() {
    if (!tried_) Load();
    return remove_ != nullptr;
}

unsigned long SrClientRestorePointRemover::Remove(uint32_t sequenceNumber) {
    if (!Available()) return ERROR_PROC_NOT_FOUND;
    return remove_(sequenceNumber);
}
