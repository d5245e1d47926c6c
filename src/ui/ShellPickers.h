#pragma once
// The shell's file-open dialog and folder picker as the pages use them.
#include <windows.h>

#include <string>
#include <vector>

#include "win/FsPath.h"

// Both are the wide dialogs: a name of any script is picked as itself.
struct PickedFiles {
    std::vector<win::FsPath> names;  // full paths, in the dialog's order
    bool tooMany = false;            // the selection did not fit the result buffer
};

// Several existing files; nothing picked on Cancel.
PickedFiles PickFiles(HWND owner);
// One file-system folder; empty on Cancel.
win::FsPath PickFolder(HWND owner);
