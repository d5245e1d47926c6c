#pragma once
// The command-line word "emptydiskspace": free-space shredding of every
// local fixed drive that start-up recorded, in letter order.
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/FreeSpaceJob.h"

// Stops at the first drive whose job was cancelled.
void ShredEveryFixedDrive(const MachineFacts& machine, FreeSpaceJob& job, EngineState& state);
