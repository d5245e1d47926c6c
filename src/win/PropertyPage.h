#pragma once
// Base of every page of a property sheet. The page is a dialog whose window
// the sheet creates from its template; the sheet's notifications
// (PSN_SETACTIVE and the rest) reach virtual handlers, control
// notifications reach OnControlNotify.
#include <windows.h>
#include <commctrl.h>

#include "win/Dialog.h"

namespace win {

class PropertySheet;

class PropertyPage : public Dialog {
public:
    explicit PropertyPage(UINT templateId) noexcept : Dialog(templateId) {}

    // What the sheet hands to PropertySheetA for this page.
    PROPSHEETPAGEA Describe();
    PropertySheet* Sheet() const noexcept { return sheet_; }
    HWND SheetHandle() const noexcept { return ::GetParent(Handle()); }
    // Page flags beyond the default (PSP_HASHELP...), set before the sheet runs.
    void AddPageFlags(DWORD flags) noexcept { extraFlags_ |= flags; }

protected:
    // The page is about to be shown; false keeps the sheet on the page it had.
    virtual bool OnSetActive() { return true; }
    // The page is about to be left; false keeps it.
    virtual bool OnKillActive() { return true; }
    virtual void OnApply() {}
    // The sheet is about to close by Cancel; false keeps it open.
    virtual bool OnQueryCancel() { return true; }
    virtual void OnReset() {}
    virtual bool OnControlNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

    // Pages close with the sheet, never by Enter or Escape on their own.
    void OnOK() override {}
    void OnCancel() override {}

private:
    friend class PropertySheet;
    bool OnNotify(const NMHDR& header, LRESULT& result) final;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    PropertySheet* sheet_ = nullptr;
    DWORD extraFlags_ = 0;
};

}  // namespace win
