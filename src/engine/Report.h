#pragma once
#include <string>

#include "engine/EngineContext.h"

// Shows a report in a box with the program caption and the given icon and
// buttons, or, in the run mode, appends it to the activity log. Answers the
// button pressed (IDOK when logged). An error report (MB_ICONERROR) means
// that something was given up: it counts in itemsNotDone.
// A text that names a path is wide; a text of the language pack alone is in
// the code page.
int Report(EngineContext& context, const std::wstring& text, unsigned flags);
int Report(EngineContext& context, const std::string& codePageText, unsigned flags);
