#pragma once
// A window's translated captions as one table: each control with the
// message that names it, set again whenever the page becomes active.
#include <windows.h>

#include <cstddef>

class LanguagePack;

struct PageCaption {
    int controlId;
    int messageId;
    int variant = 0;  // 1 for the second text of an identifier that has two (9208)
};

void SetPageCaptions(const LanguagePack& texts, HWND window, const PageCaption* table, size_t count);

namespace win {
class AutoFitListCtrl;
}
// A list's column headers, column by column from these messages: they follow
// a change of language like the captions.
void SetListHeaders(const LanguagePack& texts, const win::AutoFitListCtrl& list, const int* messageIds, size_t count);

template <size_t N>
void SetPageCaptions(const LanguagePack& texts, HWND window, const PageCaption (&table)[N]) {
    SetPageCaptions(texts, window, table, N);
}
