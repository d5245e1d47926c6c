#pragma once
// Owners of the COM resources the component holds.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "win/ComPtr.h"
#include "win/UniqueResource.h"

namespace sched {

using win::ComPtr;

// Strings the task scheduler hands out (GetCreator and the like).
struct TaskMemoryTraits {
    using Value = LPWSTR;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::CoTaskMemFree(v); }
};
using UniqueTaskString = win::UniqueResource<TaskMemoryTraits>;

// A held reference of the caller's object, taken anew.
template <typename Interface>
ComPtr<Interface> Share(Interface* object) {
    if (object != nullptr) object->AddRef();
    return ComPtr<Interface>(object);
}

}  // namespace sched
