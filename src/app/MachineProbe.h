#pragma once
// Start-up's look at the machine: where the program lives, which folders an
// interactive walk must never enter, and which drives are local fixed drives.
#include <string>

#include "engine/MachineFacts.h"
#include "win/FsPath.h"

// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();
// The same in UTF-16, whatever its script.
win::FsPath ProgramFolderPath();
void LoadProtectedFolders(MachineFacts& facts);
// Fills the fixed drives' roots, NTFS flags and descriptions; true when any
// is NTFS.
bool QueryFixedDrives(MachineFacts& facts);
