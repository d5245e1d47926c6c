#pragma once
// Base of a property sheet made of PropertyPage objects, on the system's
// PropertySheetA. The sheet's window is subclassed once it exists, so that a
// derived sheet sees its messages (OnSheetMessage) before the system's own
// handling, and runs its initialisation (OnInitSheet) after the system's.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace win {

class PropertyPage;

class PropertySheet {
public:
    PropertySheet(UINT titleStringId, DWORD extraFlags) noexcept : titleId_(titleStringId), flags_(extraFlags) {}
    virtual ~PropertySheet();
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;

    // Pages in tab order; the pages must outlive the sheet's window.
    void AddPage(PropertyPage& page);

    // Runs the sheet modally, shown once initialised; answers PropertySheetA's result.
    INT_PTR DoModal(HWND parent);
    // Creates the sheet modeless, hidden unless visible is set.
    bool Create(HWND parent, bool visible);
    // Ends the sheet: a modal one returns from DoModal, a modeless one is
    // destroyed.
    void EndSheet(INT_PTR result);

    HWND Handle() const noexcept { return hwnd_; }
    size_t PageCount() const noexcept { return pages_.size(); }
    PropertyPage& Page(size_t index) const { return *pages_[index]; }
    void SetActivePage(int index) const;
    int ActivePageIndex() const;
    HWND TabControl() const;
    void SetTabText(int index, const std::string& text) const;
    std::string TabText(int index) const;
    void SetTitle(const std::string& text) const;

protected:
    virtual void OnInitSheet() {}
    // Answer true with result set when the message is handled entirely;
    // false lets the system's sheet handle it.
    virtual bool OnSheetMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
    // The system's own handling of a message, for handlers that add to it.
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    friend class PropertyPage;
    INT_PTR Run(HWND parent, DWORD modeFlags);
    void Attach(HWND hwnd);
    // A page's window was made inside the sheet's own initialisation.
    void OnPageCreated(HWND sheetWindow);
    void RunInitSheet();
    // Takes WS_VISIBLE out of the sheet's template: the window shows only
    // once OnInitSheet has placed and captioned it (or never, when hidden).
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT titleId_;
    DWORD flags_;
    std::vector<PropertyPage*> pages_;
    HWND hwnd_ = nullptr;
    WNDPROC systemProc_ = nullptr;
    bool modal_ = false;
    bool ending_ = false;
    bool initialised_ = false;
};

}  // namespace win
