#pragma once
// Values as the scheduling component takes them: strings as BSTRs made from
// and into the system's 8-bit text (CP_ACP), dates as automation dates.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "win/UniqueResource.h"

struct BstrTraits {
    using Value = BSTR;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::SysFreeString(v); }
};
using UniqueBstr = win::UniqueResource<BstrTraits>;

// Never null, even for empty text: some components treat a null string as
// "no argument". Null only when the system is out of memory.
UniqueBstr BstrFromSystemText(const std::string& text);

// A null BSTR reads as empty text; characters without an 8-bit form come back
// as the code page's default character.
std::string SystemTextFromBstr(BSTR text);

// Days since 30 December 1899, time of day as the fraction. Milliseconds are
// dropped so a date read back shows whole seconds. 0 for a time that is not a
// valid calendar time.
DATE AutomationDateFromLocalTime(const SYSTEMTIME& localTime);
DATE AutomationDateNow();
