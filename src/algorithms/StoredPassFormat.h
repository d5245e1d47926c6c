#pragma once
// The registry form of a stored algorithm's values and pass subkeys. What is
// read is untrusted: a wrong type, size or word fails instead of guessing.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "algorithms/ShredAlgorithm.h"
#include "win/UniqueResource.h"

namespace stored_format {

// Beyond these a stored number is damage, not an algorithm anyone made.
constexpr int32_t kMaxPasses = 1000;
constexpr int32_t kMaxPatternLength = 65536;
constexpr size_t kMaxDescriptionLength = 199;

win::UniqueRegKey OpenKey(HKEY parent, const std::string& name);
win::UniqueRegKey CreateKey(HKEY parent, const std::string& name);

// A REG_SZ up to its first NUL, whether or not it was stored with one.
bool ReadText(HKEY key, const char* name, std::string& text);
// A REG_DWORD of exactly four bytes.
bool ReadDword(HKEY key, const char* name, DWORD& value);
// Without a terminating NUL: the byte count is the text's length.
bool WriteText(HKEY key, const char* name, const std::string& text);
bool WriteDword(HKEY key, const char* name, DWORD value);

// Subkey "Pass <index>" of an algorithm key.
bool ReadPass(HKEY algorithmKey, int32_t index, ShredPass& pass);
bool WritePass(HKEY algorithmKey, int32_t index, const ShredPass& pass);

}  // namespace stored_format
