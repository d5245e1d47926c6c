#pragma once
// Run: starts the task's program now.
#include "component/TaskState.h"

namespace sched {

void RunTask(TaskState& state);

}  // namespace sched
