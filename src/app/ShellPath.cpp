#include "app/ShellPath.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <vector>

namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

}  // namespace

std::wstring CanonicalShellPath(const std::wstring& name) {
    IShellFolder* rawDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&rawDesktop)) || rawDesktop == nullptr) return {};
    std::unique_ptr<IShellFolder, ComRelease> desktop(rawDesktop);

    std::vector<wchar_t> wide(name.begin(), name.end());
    wide.push_back(L'\0');

    ITEMIDLIST* rawList = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &rawList, nullptr)) ||
        rawList == nullptr)
        return {};
    std::unique_ptr<ITEMIDLIST, ItemListFree> list(rawList);
    // A path longer than MAX_PATH is not resolved: the name stays as given.
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(list.get(), path)) return {};
    return path;
}
