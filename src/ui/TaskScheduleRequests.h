#pragma once
// The pages' schedule requests carried out by the program's task creation.
#include "ui/ScheduleRequests.h"

class TaskScheduling;

class TaskScheduleRequests final : public ScheduleRequests {
public:
    explicit TaskScheduleRequests(TaskScheduling& tasks) : tasks_(tasks) {}

    bool ScheduleFiles(HWND owner, const std::vector<win::FsPath>& paths) override;
    bool ScheduleFolders(HWND owner, const std::vector<win::FsPath>& paths) override;
    void ScheduleDrive(HWND owner, const std::string& rowText, int driveOption) override;
    void ScheduleRecycleBin(HWND owner) override;
    bool ScheduleRestorePoints(HWND owner, const std::vector<std::string>& folders, size_t rowsShown,
                               size_t pointsOfSystem) override;

private:
    TaskScheduling& tasks_;
};
