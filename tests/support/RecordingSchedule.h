#pragma once
// Records what the pages ask of task creation.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/ScheduleRequests.h"

class RecordingSchedule final : public ScheduleRequests {
public:
    struct RestorePointsRequest {
        HWND owner;
        std::vector<std::string> folders;
        size_t rowsShown, pointsOfSystem;
    };

    void ScheduleRecycleBin(HWND owner) override { recycleBinOwners.push_back(owner); }
    bool ScheduleRestorePoints(HWND owner, const std::vector<std::string>& folders, size_t rowsShown,
                               size_t pointsOfSystem) override {
        restorePoints.push_back({owner, folders, rowsShown, pointsOfSystem});
        return emptyListAnswer;
    }

    std::vector<HWND> recycleBinOwners;
    std::vector<RestorePointsRequest> restorePoints;
    bool emptyListAnswer = false;
};
