#pragma once
#include <string>

#include "engine/EngineContext.h"

// Shows a report in a box with the program caption and the given icon and
// buttons, or, in the run mode, appends it to the activity log. Answers the
// button pressed (IDOK when logged). An error report (MB_ICONERROR) means
// that something was given up: it counts in itemsNotDone.
int Report(EngineContext& context, const std::string& text, unsigned flags);
