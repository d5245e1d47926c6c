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
    std::vector<wchar_t> buffer(kSelectionBuffer, L'\0');
    static const wchar_t kFilter[] = L"All Files (*.*)\0*.*\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&dialog)) {
        picked.tooMany = ::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
        return picked;
    }
    picked.names = SplitOpenFileNames(buffer.data(), buffer.size());
    return picked;
}

win::FsPath PickFolder(HWND owner) {
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    UniqueItemIdList chosen(::SHBrowseForFolderW(&browse));
    if (!chosen) return win::FsPath();
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(chosen.Get(), path)) return win::FsPath();
    return win::FsPath(path);
}
