#pragma once
// An image list of the common controls, destroyed with its owner.
#include <windows.h>
#include <commctrl.h>

#include "win/UniqueResource.h"

namespace win {

struct ImageListTraits {
    using Value = HIMAGELIST;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::ImageList_Destroy(v); }
};
using UniqueImageList = UniqueResource<ImageListTraits>;

}  // namespace win
