#pragma once
// Names the shell hands to a page: dropped or picked in a dialog, read whole,
// wide, and never cut to fit a buffer.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win/FsPath.h"

// Every name of a drop, in the drop's order, each read at its own length.
std::vector<win::FsPath> DroppedNames(HDROP drop);
// The full path name of path, without the trailing backslash of a folder;
// empty when it cannot be had.
win::FsPath FullPathName(const win::FsPath& path);
// A name that the jobs can reach whole: any length on the NT family, less
// than MAX_PATH on the 9x family.
bool FitsJobPath(const win::FsPath& path);

// The names of a multiple-selection file dialog's result: the folder then
// each name, or one full path; each entry ends with a NUL, the list with two.
std::vector<win::FsPath> SplitOpenFileNames(const wchar_t* buffer, size_t size);

// A drop handed to a window, released when the handler is done with it.
struct DropTraits {
    using Value = HDROP;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::DragFinish(v); }
};
