#pragma once
// What the Recycle Bin and Restore Points pages ask of task creation: the
// task-name dialog, the task's command line, commit and the component's
// property window all happen behind it. The pages call it only while the
// scheduling component is there.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class ScheduleRequests {
public:
    virtual ~ScheduleRequests() = default;

    // A task that shreds the Recycle Bin.
    virtual void ScheduleRecycleBin(HWND owner) = 0;
    // A task for the page's restore-point folders; with every point of the
    // system shown (rowsShown == pointsOfSystem), the daily default task.
    // True when a pre-check gave up and the page is to empty its list.
    virtual bool ScheduleRestorePoints(HWND owner, const std::vector<std::string>& folders, size_t rowsShown,
                                       size_t pointsOfSystem) = 0;
};
