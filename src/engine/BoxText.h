#pragma once
// A message box grows with its longest line: a path of thousands of
// characters would push the box and its buttons off the screen. For a box,
// and only there, such a line keeps its start and its end around an
// ellipsis; the log always has the whole text.
#include <string>

constexpr size_t kLongestBoxLine = 160;

std::wstring ShortenedForBox(const std::wstring& text);
