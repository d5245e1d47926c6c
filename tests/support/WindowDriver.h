#pragma once
// Drives another process's windows from outside, the way a person does with
// mouse and keyboard: finds its windows by title, clicks buttons, types into
// edit boxes, picks rows of list views and reads what the windows show.
// Controls that answer through pointers (list views, headers, the folder
// browser) are given memory inside the program's own process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win/UniqueResource.h"

namespace drive {

// Memory in another process, freed when this goes.
class RemoteMemory {
public:
    RemoteMemory(HWND windowOfProcess, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool valid() const { return address_ != nullptr; }
    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    win::UniqueHandle process_;
    void* address_ = nullptr;
};

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
bool HasTabControl(HWND window);
bool IsMessageBox(HWND window);

// The visible top-level windows of a process (of every process for 0).
std::vector<HWND> VisibleWindows(DWORD processId = 0);
// The first visible top-level window of the process with that title; a
// sheet (a window with tabs) only when `sheet`, otherwise anything else.
HWND FindWindowTitled(const std::string& title, bool sheet, DWORD processId = 0);
// Polls every 50 ms until `found` answers a window or the time is up.
HWND WaitForWindow(const std::function<HWND()>& found, DWORD timeoutMs);
HWND WaitForWindowTitled(const std::string& title, bool sheet, DWORD processId, DWORD timeoutMs);
// Polls until the condition holds; false when the time ran out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A person's click on a button (also a radio button or a check box).
// False when the button is missing, hidden or disabled.
bool Click(HWND button);
bool ClickItem(HWND dialog, int controlId);
// Waits until the control can be clicked (it may be enabled by an earlier click).
bool ClickWhenEnabled(HWND dialog, int controlId, DWORD timeoutMs = 10000);
// Typing a whole text into an edit box (its owner hears the change).
bool Type(HWND edit, const std::string& text);
// A key pressed and let go over a control, through the thread's queue, so
// that the dialog's keyboard handling sees it.
void PressKey(HWND control, UINT virtualKey);
// Picks an item of a combo box as a person would (the owner hears the change).
bool ChooseComboItem(HWND combo, int index);
// A combo box's items are read through what it shows (WM_GETTEXT): Wine's
// carrying of CB_GETLBTEXT across processes can crash the program.
int ComboCount(HWND combo);
int ComboSelection(HWND combo);
// An item of an extended combo box (one with pictures), which keeps its texts itself.
std::string ComboExItemText(HWND combo, int index);

// List views.
int ListRowCount(HWND list);
std::string ListItemText(HWND list, int row, int column = 0);
std::vector<std::string> ListColumn(HWND list, int column = 0);
std::string ListHeaderText(HWND list, int column);
// Selects and focuses exactly that row.
bool SelectListRow(HWND list, int row);

// A property sheet: its tab control's selection, through the sheet.
bool SelectTab(HWND sheet, int index);
HWND CurrentPage(HWND sheet);
std::string TabText(HWND sheet, int index);

// The folder browser: selects a path in its tree.
bool SelectBrowsedFolder(HWND browser, const std::string& path);

// The texts of every child control of a window, in Z order.
std::vector<std::string> ChildTexts(HWND window);

}  // namespace drive
