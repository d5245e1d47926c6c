#pragma once
// The owner of one held COM reference, released when the owner goes.
#include <windows.h>

#include "win/UniqueResource.h"

namespace win {

template <typename Interface>
struct ComReleaseTraits {
    using Value = Interface*;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { v->Release(); }
};
template <typename Interface>
using ComPtr = UniqueResource<ComReleaseTraits<Interface>>;

}  // namespace win
