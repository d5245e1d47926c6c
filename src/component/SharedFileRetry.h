#pragma once
// The scheduler service reads a task's file as soon as it changes; a write
// or delete in that moment fails with a sharing violation. Such a call is
// tried again for a short while.
#include <windows.h>

namespace sched {

template <typename Call>
HRESULT RetryWhileShared(Call call) {
    constexpr int kTries = 60;  // some three seconds
    HRESULT hr = call();
    for (int tried = 1; hr == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) && tried < kTries; ++tried) {
        ::Sleep(50);
        hr = call();
    }
    return hr;
}

}  // namespace sched
