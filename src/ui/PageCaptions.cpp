#include "ui/PageCaptions.h"

#include "lang/LanguagePack.h"

void SetPageCaptions(const LanguagePack& texts, HWND window, const PageCaption* table, size_t count) {
    for (size_t i = 0; i < count; ++i)
        texts.SetDlgItem(table[i].messageId, table[i].controlId, window, table[i].variant);
}
