#pragma once
// What the Shred Now and Schedule buttons of the Shred Files and Shred
// Folders pages do with a page's list, without the page's window.
#include <windows.h>

#include <string>
#include <vector>

#include "win/FsPath.h"

#include "ui/PageServices.h"

// Shred Now after its confirmation, through the one road of every job. The
// paths are handled in order until one asks to stop or the job is cancelled;
// page is enabled again afterwards.
struct PageJobResult {
    bool ran = false;                // false: the user declined, nothing was done
    std::vector<win::FsPath> kept;   // what was not shredded, in list order
};
PageJobResult ShredFileList(PageServices& services, const std::vector<win::FsPath>& paths, HWND page);
PageJobResult ShredFolderList(PageServices& services, const std::vector<win::FsPath>& paths, HWND page);

// A page's box: message id (its "%s" replaced by path), programCaption as title.
int ShowPageMessage(PageServices& services, int messageId, unsigned flags, const win::FsPath& path = win::FsPath());
// Schedule can be used: the component is there and task creation is wired.
bool SchedulingAvailable(const PageServices& services);
