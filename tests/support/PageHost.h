#pragma once
// One real page alone in a plain modeless sheet, driven by window messages
// as the sheet and a person would drive it.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "win/AutoFitListCtrl.h"
#include "win/PropertyPage.h"
#include "win/PropertySheet.h"
#include "win/SkinEngine.h"

class RecordingPageSkin final : public SkinEngine {
public:
    void LoadSkin(const std::string&) override {}
    void ApplySkin(HWND window) override { skinned.push_back(window); }
    std::vector<HWND> skinned;
};

class PageHost {
public:
    explicit PageHost(win::PropertyPage& page) : page_(page) {
        ::InitCommonControls();
        sheet_.AddPage(page);
        created_ = sheet_.Create(nullptr, false);
    }
    ~PageHost() { sheet_.EndSheet(0); }

    bool created() const { return created_ && page_.Handle() != nullptr; }
    HWND page() const { return page_.Handle(); }
    HWND item(int id) const { return ::GetDlgItem(page_.Handle(), id); }
    win::AutoFitListCtrl list(int id) const { return win::AutoFitListCtrl(item(id)); }

    void Click(int id) const {
        ::SendMessageA(page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(item(id)));
    }
    // The sheet's notice that the page becomes active again.
    void Activate() const {
        NMHDR header{sheet_.Handle(), 0, static_cast<UINT>(PSN_SETACTIVE)};
        ::SendMessageA(page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
    // Selects exactly these rows.
    void SelectRows(int listId, const std::vector<int>& rows) const {
        const HWND list = item(listId);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    }
    std::string Text(int id) const {
        char buffer[512] = {};
        ::GetWindowTextA(item(id), buffer, sizeof(buffer));
        return buffer;
    }
    std::vector<std::string> Column(int listId, int column) const {
        const win::AutoFitListCtrl l = list(listId);
        std::vector<std::string> texts;
        for (int row = 0; row < l.RowCount(); ++row) texts.push_back(l.Text(row, column));
        return texts;
    }

private:
    win::PropertyPage& page_;
    win::PropertySheet sheet_{0, 0};
    bool created_ = false;
};
