#pragma once
// What a page's Schedule button hands on once its pre-checks are done: the
// task-name dialog, the task with the page's command line, and the
// component's property window.
#include <windows.h>

#include <string>

class ScheduleRequests {
public:
    virtual ~ScheduleRequests() = default;
    // targets: the paths that passed their pre-check, each between double
    // quotes, separated by one blank. True when a task was created; the page
    // then empties its list (a cancelled name dialog answers false).
    virtual bool ScheduleFiles(HWND owner, const std::string& targets) = 0;
    virtual bool ScheduleFolders(HWND owner, const std::string& targets) = 0;
};
