#pragma once
// Where log.txt lives. Beside the program while its folder takes new files;
// otherwise (a standard user and a program under Program Files) in the
// user's own "<local application data>\Vantrel", since the system would
// else quietly give each user a copy of its own in a place nobody looks.
// Start-up decides this once.
#include "win/FsPath.h"

// True when a new file can really be made in folder; the file goes at once.
bool FolderTakesNewFiles(const win::FsPath& folder);

// "<local application data>\Vantrel", or the roaming application-data
// folder's where the system has no local one, made when missing; empty when
// the system names neither or the folder cannot be made.
win::FsPath PerUserLogFolder();

// The log file for a program in programFolder.
win::FsPath ChooseLogFile(const win::FsPath& programFolder);
