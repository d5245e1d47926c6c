#pragma once
// The editor's texts of a pass: what a pass-list row shows, what the pattern
// field holds, and the pass a row's text stands for.
#include <cstdint>
#include <string>

#include "algorithms/ShredAlgorithm.h"

namespace pass_text {

// Fixed English texts, compared literally: they never pass through a language pack.
extern const char kRandom[];
extern const char kComplement[];

// The row text for what was typed: an odd length gets a leading "0", then
// pairs counted from the end, joined by single spaces ("AA12B" -> "0A A1 2B").
std::string FromTyped(const std::string& typed);
// The row text of a pass: a pattern's bytes from the last to the first.
std::string FromPass(const ShredPass& pass);
// What the pattern field shows for a row: its text without the spaces.
std::string FieldText(const std::string& rowText);
// Every character, taken in upper case, is 0-9, A-F or a space (the fixed texts aside).
bool IsValidRow(const std::string& rowText);
// The pass of a row: the last group is the first byte; an empty text is one 00 byte.
ShredPass ToPass(const std::string& rowText);

}  // namespace pass_text
