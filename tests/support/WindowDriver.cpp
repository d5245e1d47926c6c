#include "support/WindowDriver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "win/WideText.h"

namespace drive {

namespace {

constexpr DWORD kPollMs = 50;
constexpr size_t kTextRoom = 1024;

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!::IsWindowVisible(window)) return TRUE;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (search->processId == 0 || owner == search->processId) search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(WindowText(child));
    return TRUE;
}

// A control's item structure (LVITEMA, LVCOLUMNA, TCITEMA, COMBOBOXEXITEMA,
// TVITEMA: each names its text pszText and cchTextMax) placed in the
// program's process with room for the text behind it; answers the text the
// control wrote there, or `failed` when the message answered 0.
template <typename Item>
std::string RemoteItemText(HWND window, UINT message, WPARAM wParam, Item item, const char* failed = "") {
    RemoteMemory memory(window, sizeof(Item) + kTextRoom);
    if (!memory.valid()) return "<no memory>";
    item.pszText = reinterpret_cast<char*>(memory.address() + sizeof(Item));
    item.cchTextMax = kTextRoom;
    memory.Write(&item, sizeof(item));
    if (!::SendMessageA(window, message, wParam, memory.address())) return failed;
    char text[kTextRoom] = "";
    memory.Read(text, kTextRoom - 1, sizeof(Item));
    return text;
}

}  // namespace

RemoteMemory::RemoteMemory(HWND windowOfProcess, size_t size) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(windowOfProcess, &processId);
    process_.Reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process_) return;
    address_ = ::VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (address_ != nullptr) ::VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset) {
    SIZE_T written = 0;
    return address_ != nullptr &&
           ::WriteProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size, &written) &&
           written == size;
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    SIZE_T read = 0;
    return address_ != nullptr &&
           ::ReadProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size, &read) &&
           read == size;
}

std::string WindowText(HWND window) {
    char text[kTextRoom] = "";
    // WM_GETTEXT is carried across processes; GetWindowText would not ask a control of another.
    ::SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

bool HasTabControl(HWND window) { return ::FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) != nullptr; }

bool IsMessageBox(HWND window) { return ClassOf(window) == "#32770" && ::GetDlgItem(window, 0xFFFF) != nullptr; }

std::vector<HWND> VisibleWindows(DWORD processId) {
    Search search{processId, {}};
    ::EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindWindowTitled(const std::string& title, bool sheet, DWORD processId) {
    for (HWND window : VisibleWindows(processId))
        if (WindowText(window) == title && HasTabControl(window) == sheet) return window;
    return nullptr;
}

HWND WaitForWindow(const std::function<HWND()>& found, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (HWND window = found()) return window;
        if (waited >= timeoutMs) return nullptr;
        ::Sleep(kPollMs);
    }
}

HWND WaitForWindowTitled(const std::string& title, bool sheet, DWORD processId, DWORD timeoutMs) {
    return WaitForWindow([&] { return FindWindowTitled(title, sheet, processId); }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    return WaitForWindow([&] { return condition() ? ::GetDesktopWindow() : nullptr; }, timeoutMs) != nullptr;
}

bool Click(HWND button) {
    if (button == nullptr || !::IsWindowVisible(button) || !::IsWindowEnabled(button)) return false;
    // Posted: a click that opens a modal window returns only when it closes.
    return ::PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool ClickItem(HWND dialog, int controlId) { return Click(::GetDlgItem(dialog, controlId)); }

bool ClickWhenEnabled(HWND dialog, int controlId, DWORD timeoutMs) {
    HWND control = ::GetDlgItem(dialog, controlId);
    WaitUntil([control] { return ::IsWindowVisible(control) && ::IsWindowEnabled(control); }, timeoutMs);
    return Click(control);
}

bool Type(HWND edit, const std::string& text) {
    if (edit == nullptr || !::IsWindowEnabled(edit)) return false;
    // Wide, so that a name of any script arrives whole.
    const std::wstring wide = win::FromUtf8(text);
    return ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) != FALSE;
}

void PressKey(HWND control, UINT virtualKey) {
    const UINT scan = ::MapVirtualKeyA(virtualKey, 0);
    ::PostMessageA(control, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    ::PostMessageA(control, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

bool ChooseComboItem(HWND combo, int index) {
    if (combo == nullptr || !::IsWindowEnabled(combo)) return false;
    if (::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
    // A person's choice tells the owner; the message alone does not.
    const int id = ::GetDlgCtrlID(combo);
    return ::PostMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(combo)) != FALSE;
}

int ComboCount(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0)); }

int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

std::string ComboExItemText(HWND combo, int index) {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    return RemoteItemText(combo, CBEM_GETITEMA, 0, item, "<none>");
}

int ListRowCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListItemText(HWND list, int row, int column) {
    // Read wide, in UTF-8: a path of any script is shown as itself.
    RemoteMemory memory(list, sizeof(LVITEMW) + kTextRoom * sizeof(wchar_t));
    if (!memory.valid()) return "<no memory>";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(memory.address() + sizeof(LVITEMW));
    item.cchTextMax = kTextRoom;
    memory.Write(&item, sizeof(item));
    // Answers the text's length, which is 0 for an empty cell.
    const LRESULT length = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), memory.address());
    std::vector<wchar_t> text(kTextRoom, L'\0');
    if (length > 0) memory.Read(text.data(), (kTextRoom - 1) * sizeof(wchar_t), sizeof(LVITEMW));
    return win::ToUtf8(text.data());
}

std::vector<std::string> ListColumn(HWND list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < ListRowCount(list); ++row) texts.push_back(ListItemText(list, row, column));
    return texts;
}

std::string ListHeaderText(HWND list, int column) {
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT;
    return RemoteItemText(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), header, "<no column>");
}

bool SelectListRow(HWND list, int row) {
    RemoteMemory memory(list, sizeof(LVITEMA));
    if (!memory.valid()) return false;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    // Every other row loses its selection first.
    memory.Write(&item, sizeof(item));
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), memory.address());
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.Write(&item, sizeof(item));
    return ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), memory.address()) != FALSE;
}

bool SelectTab(HWND sheet, int index) {
    return ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != FALSE;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::string TabText(HWND sheet, int index) {
    HWND tabs = ::FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
    if (tabs == nullptr) return "<no tabs>";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    return RemoteItemText(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), item, "<no tab>");
}

namespace {

std::string TreeItemText(HWND tree, HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    return RemoteItemText(tree, TVM_GETITEMA, 0, data);
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The children of an item, once a person's expanding has filled them in.
std::vector<HTREEITEM> Expanded(HWND tree, HTREEITEM item) {
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeNext(tree, item, TVGN_CHILD); child != nullptr; child = TreeNext(tree, child, TVGN_NEXT))
        children.push_back(child);
    return children;
}

bool SameName(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// A drive's item shows its letter, alone or after its label: "T:" or "Data (T:)".
bool ShowsDrive(const std::string& text, const std::string& drive) {
    return SameName(text, drive) || (text.size() > drive.size() + 2 &&
                                     SameName(text.substr(text.size() - drive.size() - 2), "(" + drive + ")"));
}

}  // namespace

bool SelectBrowsedFolder(HWND browser, const std::string& path) {
    HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    // The tree is filled after the dialog shows.
    if (!WaitUntil([tree] { return TreeNext(tree, nullptr, TVGN_ROOT) != nullptr; }, 10000)) return false;
    if (path.size() < 3 || path[1] != ':') return false;
    // The drive is a child of one of the root's children (the computer).
    HTREEITEM item = nullptr;
    const std::string drive = path.substr(0, 2);
    for (HTREEITEM top : Expanded(tree, TreeNext(tree, nullptr, TVGN_ROOT))) {
        for (HTREEITEM child : Expanded(tree, top))
            if (ShowsDrive(TreeItemText(tree, child), drive)) item = child;
        if (item != nullptr) break;
        ::SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(top));
    }
    size_t start = 3;
    while (item != nullptr && start < path.size()) {
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string name = path.substr(start, end - start);
        HTREEITEM found = nullptr;
        for (HTREEITEM child : Expanded(tree, item))
            if (SameName(TreeItemText(tree, child), name)) found = child;
        item = found;
        start = end + 1;
    }
    if (item == nullptr) return false;
    // The click on the folder: the dialog takes the selection as its answer.
    return ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    ::EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

}  // namespace drive
