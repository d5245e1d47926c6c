#include "ui/PageCaptions.h"

#include "lang/LanguagePack.h"
#include "win/AutoFitListCtrl.h"

void SetPageCaptions(const LanguagePack& texts, HWND window, const PageCaption* table, size_t count) {
    for (size_t i = 0; i < count; ++i)
        texts.SetDlgItem(table[i].messageId, table[i].controlId, window, table[i].variant);
}

void SetListHeaders(const LanguagePack& texts, const win::AutoFitListCtrl& list, const int* messageIds, size_t count) {
    for (size_t column = 0; column < count; ++column)
        list.SetHeaderText(static_cast<int>(column), texts.Text(messageIds[column]));
}
