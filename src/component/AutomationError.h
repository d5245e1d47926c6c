#pragma once
// A failing call of an automation member: the description the caller sees
// in the EXCEPINFO, and the code behind it.
#include <windows.h>

#include <string>

namespace sched {

struct AutomationError {
    std::wstring description;
    HRESULT code = E_FAIL;
};

// Throws with the description when hr failed; the system's own text of the
// code follows the description.
void ThrowIfFailed(HRESULT hr, const std::wstring& description);
[[noreturn]] void Fail(const std::wstring& description, HRESULT code = E_FAIL);

// The system's text for a code, or its value in hexadecimal.
std::wstring ErrorText(HRESULT hr);

}  // namespace sched
