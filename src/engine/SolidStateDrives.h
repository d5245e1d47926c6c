#pragma once
// What a job does on a drive without seek penalty: it tells once that
// overwriting cannot reach the drive's spare blocks, and after shredding the
// drive's free space it asks the drive to trim its free blocks.
#include <string>

#include "engine/EngineContext.h"
#include "win/FsPath.h"

// At most once per job, and never once its box was ticked; a silent run
// notes it in the log once. A network path or a word is no drive.
void TellOfSolidStateDrive(EngineContext& context, const win::FsPath& target);
// root: "X:\". Not after a cancel, and never on a drive with seek penalty.
void TrimShreddedFreeSpace(EngineContext& context, const std::string& root);
