#include "ui/PageCaptions.h"

#include "lang/LanguagePack.h"

void ApplyCaptions(const LanguagePack& texts, HWND window, const CaptionEntry* table, size_t count) {
    for (size_t i = 0; i < count; ++i) texts.SetDlgItem(table[i].message, table[i].control, window, table[i].variant);
}
