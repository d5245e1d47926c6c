#pragma once
// Conversions between the program's three text forms: the system code page
// (language packs, the registry and every ANSI call), UTF-16 (the wide calls
// and every path) and UTF-8 (log.txt). Each is named: nothing converts by
// itself.
#include <string>

namespace win {

// Code-page text as the wide calls take it.
std::wstring WidenAnsi(const std::string& text);
// Wide text in the system code page. complete is set false when a character
// has no form there (it is then a default character, never a lookalike).
std::string NarrowAnsi(const std::wstring& text, bool* complete = nullptr);

std::string ToUtf8(const std::wstring& text);
// Invalid sequences become U+FFFD.
std::wstring FromUtf8(const std::string& text);

}  // namespace win
