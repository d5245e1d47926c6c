#include "win/OwnedDialogs.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace win {

namespace {

struct OwnedDialog {
    HWND window;
    int depth;  // 1 for a dialog the owner itself owns
};

struct Search {
    HWND owner;
    std::vector<OwnedDialog> found;
};

bool IsDialogBox(HWND window) {
    char name[16] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return std::strcmp(name, "#32770") == 0;
}

int DepthBelow(HWND owner, HWND window) {
    int depth = 0;
    for (HWND up = ::GetWindow(window, GW_OWNER); up != nullptr; up = ::GetWindow(up, GW_OWNER)) {
        ++depth;
        if (up == owner) return depth;
    }
    return 0;
}

BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!IsDialogBox(window)) return TRUE;
    const int depth = DepthBelow(search->owner, window);
    if (depth > 0) search->found.push_back({window, depth});
    return TRUE;
}

}  // namespace

void CancelOwnedDialogs(HWND owner) {
    if (owner == nullptr) return;
    Search search{owner, {}};
    ::EnumThreadWindows(::GetWindowThreadProcessId(owner, nullptr), &Collect, reinterpret_cast<LPARAM>(&search));
    std::stable_sort(search.found.begin(), search.found.end(),
                     [](const OwnedDialog& a, const OwnedDialog& b) { return a.depth > b.depth; });
    for (const OwnedDialog& dialog : search.found) {
        if (!::IsWindow(dialog.window)) continue;
        ::SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog.window, IDCANCEL)));
        // Ending a modal dialog hides it at once; one still shown took no Cancel.
        if (::IsWindow(dialog.window) && ::IsWindowVisible(dialog.window)) ::EndDialog(dialog.window, IDCANCEL);
    }
}

}  // namespace win
