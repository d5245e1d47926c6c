#pragma once
// Names the shell hands to a page: dropped or picked in a dialog, read whole
// and never cut to fit a buffer.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Every name of a drop, in the drop's order, each read at its own length.
std::vector<std::string> DroppedNames(HDROP drop);
// The full path name of path; empty when it cannot be had or does not fit
// the MAX_PATH-bound calls of the jobs.
std::string FullPathName(const std::string& path);
// A name that the jobs can reach whole.
inline bool FitsJobPath(const std::string& path) { return !path.empty() && path.size() < MAX_PATH; }

// The names of a multiple-selection file dialog's result: the folder then
// each name, or one full path; each entry ends with a NUL, the list with two.
std::vector<std::string> SplitOpenFileNames(const char* buffer, size_t size);

// A drop handed to a window, released when the handler is done with it.
struct DropTraits {
    using Value = HDROP;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::DragFinish(v); }
};
