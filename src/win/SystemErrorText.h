#pragma once
#include <windows.h>

#include <string>

namespace win {

// The system's own text for an error code in the user's default language,
// cut to maxLength characters, without the trailing line break.
std::string SystemErrorText(DWORD code, size_t maxLength);

}  // namespace win
