#include "win/AutoFitListCtrl.h"

#include <algorithm>

#include "win/WideText.h"

namespace win {

void AutoFitListCtrl::SetFullRowSelect() const {
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void AutoFitListCtrl::AddColumn(const std::string& header) const { AddColumn(header, TextWidth(header) + kPadding); }

void AutoFitListCtrl::AddColumn(const std::string& header, int width) const {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(header.c_str());
    ::SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(ColumnCount()), reinterpret_cast<LPARAM>(&column));
}

int AutoFitListCtrl::ColumnCount() const {
    HWND header = ListView_GetHeader(list_);
    return header == nullptr ? 0 : Header_GetItemCount(header);
}

// Code-page text (an algorithm's name) is widened, so every row is kept one way.
int AutoFitListCtrl::AddRow(const std::string& text) { return AddRow(WidenAnsi(text)); }

int AutoFitListCtrl::AddRow(const std::wstring& text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<wchar_t*>(text.c_str());
    const int row = static_cast<int>(::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0) {
        const int wanted = TextWidth(text) + kPadding;
        if (wanted > ColumnWidth(0)) SetColumnWidth(0, wanted);
    }
    return row;
}

std::wstring AutoFitListCtrl::WideText(int row, int column) const {
    std::vector<wchar_t> buffer(260);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const size_t length = static_cast<size_t>(
            ::SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        // A text that filled the buffer may have been cut: ask again with more room.
        if (length + 1 < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

void AutoFitListCtrl::SetText(int row, int column, const std::string& text) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string AutoFitListCtrl::Text(int row, int column) const {
    // Paths may be long, and a pass row of the algorithm editor longer still
    // (196607 characters for a pattern of 65536 bytes); grow until the text
    // fits. The bound only keeps a list that always fills the buffer from
    // growing it without end.
    constexpr size_t kLongestText = size_t{1} << 20;
    std::vector<char> buffer(512);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(
            ::SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size() || buffer.size() >= kLongestText) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

void AutoFitListCtrl::DeleteRow(int row) {
    if (::SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0)) FitAllColumns();
}

void AutoFitListCtrl::DeleteAllRows() {
    ::SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    const int columns = ColumnCount();
    for (int column = 0; column < columns; ++column)
        SetColumnWidth(column, TextWidth(HeaderText(column)) + kPadding);
}

int AutoFitListCtrl::RowCount() const { return static_cast<int>(::SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

int AutoFitListCtrl::FindExact(const std::string& text) const { return FindExact(WidenAnsi(text)); }

int AutoFitListCtrl::FindExact(const std::wstring& text) const {
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(::SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int AutoFitListCtrl::FirstSelected() const {
    return static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int AutoFitListCtrl::SelectedCount() const {
    return static_cast<int>(::SendMessageA(list_, LVM_GETSELECTEDCOUNT, 0, 0));
}

void AutoFitListCtrl::Select(int row) const {
    ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, row, FALSE);
}

void AutoFitListCtrl::FitColumn(int column) const {
    int widest = TextWidth(HeaderText(column));
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) widest = std::max(widest, TextWidth(WideText(row, column)));
    SetColumnWidth(column, widest + kPadding);
}

void AutoFitListCtrl::FitAllColumns() const {
    const int columns = ColumnCount();
    for (int column = 0; column < columns; ++column) FitColumn(column);
}

int AutoFitListCtrl::ColumnWidth(int column) const {
    return static_cast<int>(::SendMessageA(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void AutoFitListCtrl::SetColumnWidth(int column, int width) const {
    ::SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

int AutoFitListCtrl::TextWidth(const std::string& text) const {
    return static_cast<int>(::SendMessageA(list_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int AutoFitListCtrl::TextWidth(const std::wstring& text) const {
    return static_cast<int>(::SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void AutoFitListCtrl::SetHeaderText(int column, const std::string& text) const {
    if (HeaderText(column) == text) return;
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(list_, LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    SetColumnWidth(column, std::max(ColumnWidth(column), TextWidth(text) + kPadding));
}

std::string AutoFitListCtrl::HeaderText(int column) const {
    char buffer[100] = {};
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    ::SendMessageA(list_, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

}  // namespace win
