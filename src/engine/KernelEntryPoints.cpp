#include "engine/KernelEntryPoints.h"

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

KernelEntryPoints::LoadResult KernelEntryPoints::Load() {
    module.Reset(::LoadLibraryA("kernel32.dll"));
    if (!module) return LoadResult::NoModule;
    getDiskFreeSpaceEx = Find<DiskFreeSpaceEx>(module.Get(), "GetDiskFreeSpaceExA");
    if (getDiskFreeSpaceEx == nullptr) getDiskFreeSpace = Find<DiskFreeSpace>(module.Get(), "GetDiskFreeSpaceA");
    if (getDiskFreeSpaceEx == nullptr && getDiskFreeSpace == nullptr) return LoadResult::NoFreeSpaceQuery;
    return LoadResult::Loaded;
}

bool KernelEntryPoints::FindFilePointerEx() {
    if (module) setFilePointerEx = Find<FilePointerEx>(module.Get(), "SetFilePointerEx");
    return setFilePointerEx != nullptr;
}

void KernelEntryPoints::Release() {
    getDiskFreeSpaceEx = nullptr;
    getDiskFreeSpace = nullptr;
    setFilePointerEx = nullptr;
    module.Reset();
}
