#include "app/InstanceMutex.h"

bool InstanceMutex::Claim(const char* name) {
    HANDLE mutex = ::CreateMutexA(nullptr, TRUE, name);
    const DWORD error = ::GetLastError();
    handle_.Reset(mutex);
    if (mutex == nullptr || error == ERROR_ALREADY_EXISTS || error == ERROR_INVALID_HANDLE) {
        handle_.Reset();
        return false;
    }
    return true;
}
