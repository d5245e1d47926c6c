#pragma once
// The list view of every page and of the algorithm editor: each column as
// wide as its widest text (header included) plus 15 pixels.
//  - an inserted row widens column 0 to its text when that is wider;
//  - a deleted row refits every column to the header and the rows left;
//  - deleting every row sets every column back to its header's width;
//  - FitColumn refits one column on request.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace win {

class AutoFitListCtrl {
public:
    static constexpr int kPadding = 15;

    AutoFitListCtrl() = default;
    explicit AutoFitListCtrl(HWND list) noexcept : list_(list) {}
    void Attach(HWND list) noexcept { list_ = list; }
    HWND Handle() const noexcept { return list_; }

    void SetFullRowSelect() const;
    // Appends a left-aligned column as wide as its header text plus 15.
    void AddColumn(const std::string& header) const;
    void AddColumn(const std::string& header, int width) const;
    int ColumnCount() const;

    // Appends a row with its column-0 text; answers its index or -1.
    int AddRow(const std::string& text);
    // A row that names a path: shown as itself, in any script.
    int AddRow(const std::wstring& text);
    void SetText(int row, int column, const std::string& text) const;
    std::string Text(int row, int column) const;
    std::wstring WideText(int row, int column) const;
    void DeleteRow(int row);
    void DeleteAllRows();
    int RowCount() const;

    // The list view's own exact-text search over column 0, which ignores letter case.
    int FindExact(const std::string& text) const;
    int FindExact(const std::wstring& text) const;
    int FirstSelected() const;
    int SelectedCount() const;
    void Select(int row) const;

    void FitColumn(int column) const;
    void FitAllColumns() const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width) const;
    // Pixel width of a text in the list's font, as the list measures it.
    int TextWidth(const std::string& text) const;
    int TextWidth(const std::wstring& text) const;
    std::string HeaderText(int column) const;
    // A new header text; the column widens when the text needs it, never narrows.
    void SetHeaderText(int column, const std::string& text) const;

private:
    HWND list_ = nullptr;
};

}  // namespace win
