#include "ui/ShellPickers.h"

#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include "ui/PathNames.h"
#include "win/UniqueResource.h"

namespace {

// Room for the names of several hundred files picked at once.
constexpr size_t kSelectionBuffer = 64 * 1024;

struct ItemIdListTraits {
    using Value = LPITEMIDLIST;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::CoTaskMemFree(v); }
};
using UniqueItemIdList = win::UniqueResource<ItemIdListTraits>;

}  // namespace

PickedFiles PickFiles(HWND owner) {
    PickedFiles picked;
    std::vector<char> buffer(kSelectionBuffer, '\0');
    static const char kFilter[] = "All Files (*.*)\0*.*\0";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&dialog)) {
        picked.tooMany = ::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
        return picked;
    }
    picked.names = SplitOpenFileNames(buffer.data(), buffer.size());
    return picked;
}

std::string PickFolder(HWND owner) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    UniqueItemIdList chosen(::SHBrowseForFolderA(&browse));
    if (!chosen) return std::string();
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(chosen.Get(), path)) return std::string();
    return path;
}
