#pragma once
// What a page's Schedule button hands on: the task-name dialog, the task
// with the page's command line, commit and the component's property window
// all happen behind it. The pages call it only while the scheduling
// component is there. A page's test double answers only its own page's
// requests; the others do nothing.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "win/FsPath.h"

class ScheduleRequests {
public:
    virtual ~ScheduleRequests() = default;

    // The page's whole list, in order; the pre-checks run behind this call.
    // True when the page is to empty its list (a task was created, or a
    // folder pre-check gave the task up).
    virtual bool ScheduleFiles(HWND /*owner*/, const std::vector<win::FsPath>& /*paths*/) { return false; }
    virtual bool ScheduleFolders(HWND /*owner*/, const std::vector<win::FsPath>& /*paths*/) { return false; }
    // A task that shreds the free space of the drive of the selected row
    // ("Local Disk (C:)"), with the page's drive option.
    virtual void ScheduleDrive(HWND /*owner*/, const std::string& /*rowText*/, int /*driveOption*/) {}
    // A task that shreds the Recycle Bin.
    virtual void ScheduleRecycleBin(HWND /*owner*/) {}
    // A task for the page's restore-point folders; with every point of the
    // system shown (rowsShown == pointsOfSystem), the daily default task.
    // True when a pre-check gave up and the page is to empty its list.
    virtual bool ScheduleRestorePoints(HWND /*owner*/, const std::vector<std::string>& /*folders*/,
                                       size_t /*rowsShown*/, size_t /*pointsOfSystem*/) {
        return false;
    }
};
