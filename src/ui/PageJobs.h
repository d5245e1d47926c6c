#pragma once
// What the Shred Now and Schedule buttons of the Shred Files and Shred
// Folders pages do with a page's list, without the page's window.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/PageServices.h"

// Marks a page's job as running for its lifetime: while it runs no other job
// starts from a page and no list changes under the job's feet.
class JobGuard {
public:
    explicit JobGuard(bool& running) : running_(running) { running_ = true; }
    ~JobGuard() { running_ = false; }
    JobGuard(const JobGuard&) = delete;
    JobGuard& operator=(const JobGuard&) = delete;

private:
    bool& running_;
};

// Shred Now after its confirmation; false when the user declined (nothing
// done, the list stays). The files are handled in order until one asks to
// stop or the job is cancelled; page is enabled again afterwards.
bool ShredFileList(PageServices& services, const std::vector<std::string>& paths, HWND page);
bool ShredFolderList(PageServices& services, const std::vector<std::string>& paths, HWND page);


// A page's box: message id (its "%s" replaced by path), programCaption as title.
int ShowPageMessage(PageServices& services, int messageId, unsigned flags, const std::string& path = std::string());
// Schedule can be used: the component is there and task creation is wired.
bool SchedulingAvailable(const PageServices& services);
