#pragma once
// Scheduled tasks name their algorithm by its position ("/O%d"). When the
// positions move, this program's tasks are rewritten so that each goes on
// with the algorithm the user chose; a task whose algorithm is gone falls
// back to Quick Shred (position 0) and is named in the report.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scheduler/TaskSchedulerClient.h"

// The new position of an old one; -1 when that algorithm no longer exists.
using PositionMap = std::function<int32_t(int32_t)>;

struct MethodRewrite {
    std::string parameters;
    bool changed = false;
    bool algorithmGone = false;
};

// Rewrites every "/O" switch of a run-mode command line (never the task name
// after "/s"), keeping every other character as it was.
MethodRewrite RewriteMethodSwitch(const std::string& parameters, const PositionMap& map);

struct RenumberReport {
    std::vector<std::string> nowQuickShred;  // names of tasks whose algorithm is gone
    std::vector<std::string> notUpdated;     // tasks the component would not change
    int rewritten = 0;
};

// Only tasks whose Creator is "Vantrel" are touched.
RenumberReport RenumberTaskAlgorithms(TaskSchedulerClient& scheduler, const PositionMap& map);
