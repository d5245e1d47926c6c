#pragma once
// A window's captions as one table: each control with its message.
#include <windows.h>

#include <cstddef>

class LanguagePack;

struct CaptionEntry {
    int control;
    int message;
    int variant;  // 1 for the second text of an identifier that has two
};

template <size_t N>
void ApplyCaptions(const LanguagePack& texts, HWND window, const CaptionEntry (&table)[N]);

void ApplyCaptions(const LanguagePack& texts, HWND window, const CaptionEntry* table, size_t count);

template <size_t N>
void ApplyCaptions(const LanguagePack& texts, HWND window, const CaptionEntry (&table)[N]) {
    ApplyCaptions(texts, window, table, N);
}
