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
