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

std::string CanonicalShellPath(const std::string& name) {
    IShellFolder* rawDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&rawDesktop)) || rawDesktop == nullptr) return {};
    std::unique_ptr<IShellFolder, ComRelease> desktop(rawDesktop);

    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return {};
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), wideLength);

    ITEMIDLIST* rawList = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &rawList, nullptr)) ||
        rawList == nullptr)
        return {};
    std::unique_ptr<ITEMIDLIST, ItemListFree> list(rawList);
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(list.get(), path)) return {};
    return path;
}
