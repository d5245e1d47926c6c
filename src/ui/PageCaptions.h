#pragma once
// A window's translated captions as one table: each control with the
// message that names it, set again whenever the page becomes active.
#include <windows.h>

#include <cstddef>

#include "lang/LanguagePack.h"

struct PageCaption {
    int controlId;
    int messageId;
};

template <size_t N>
void SetPageCaptions(const LanguagePack& texts, HWND window, const PageCaption (&table)[N]) {
    for (const PageCaption& caption : table) texts.SetDlgItem(caption.messageId, caption.controlId, window);
}

// The same with the second text of an identifier that has two (9208).
struct CaptionEntry {
    int control;
    int message;
    int variant;  // 1 for the second text of an identifier that has two
};

void ApplyCaptions(const LanguagePack& texts, HWND window, const CaptionEntry* table, size_t count);

template <size_t N>
void ApplyCaptions(const LanguagePack& texts, HWND window, const CaptionEntry (&table)[N]) {
    ApplyCaptions(texts, window, table, N);
}
