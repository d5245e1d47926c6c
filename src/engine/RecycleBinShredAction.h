#pragma once
// "Shred Now" of the Recycle Bin page, also run for the run mode's word
// "recycle": the conflict notice (unless the user turned it off), then the
// bin job.
#include "engine/EngineContext.h"

class RecycleBinShredder;

void ShredRecycleBinNow(EngineContext& context, RecycleBinShredder& shredder);
