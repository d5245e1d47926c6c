#pragma once
// The registry entries of the class: CLSID with its in-process server (the
// loaded library's own path, apartment-threaded) and the ProgID.
#include <windows.h>

namespace sched {

HRESULT RegisterComponent(HINSTANCE library);
HRESULT UnregisterComponent();

}  // namespace sched
