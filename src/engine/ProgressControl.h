#pragma once
#include "engine/EngineContext.h"

// Creates the job's progress dialog on first use (or reuses it); false when
// it could not be created, which has then been reported.
bool ShowProgressDialog(EngineContext& context);
// Closes the dialog if one is open and resets the overall range.
void CloseProgressDialog(EngineContext& context);
