#include "ui/TaskScheduleRequests.h"

#include "scheduler/TaskScheduling.h"

// The task-name dialog is modal over the main window, set once by the
// window that owns the pages, so the page's own handle is not needed here.
bool TaskScheduleRequests::ScheduleFiles(HWND, const std::vector<win::FsPath>& paths) {
    return tasks_.ScheduleFiles(paths).emptyPageList;
}

bool TaskScheduleRequests::ScheduleFolders(HWND, const std::vector<win::FsPath>& paths) {
    return tasks_.ScheduleFolders(paths).emptyPageList;
}

void TaskScheduleRequests::ScheduleDrive(HWND, const std::string& rowText, int driveOption) {
    tasks_.ScheduleDrive(rowText, driveOption);
}

void TaskScheduleRequests::ScheduleRecycleBin(HWND) { tasks_.ScheduleRecycleBin(); }

bool TaskScheduleRequests::ScheduleRestorePoints(HWND, const std::vector<std::string>& folders, size_t rowsShown,
                                                 size_t pointsOfSystem) {
    return tasks_.ScheduleRestorePoints(folders, rowsShown, pointsOfSystem).emptyPageList;
}
