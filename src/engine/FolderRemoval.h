#pragma once
// The one way a shredded folder goes: an empty folder is first given free
// names of random letters of the same shape, as a shredded file is, so that
// its own name leaves the folder's record and its parent's index, and only
// that new name is removed. A removal that fails gives the folder its name
// back, so what stays is what the user knows.
#include <windows.h>

#include "win/FsPath.h"

class ShredRandom;

// True when the folder is gone. error: the system's code of a refused
// removal, 0 when the removal was reported done but the name is still there.
bool RemoveShreddedFolder(const win::FsPath& path, ShredRandom& random, DWORD& error);

// The C library's errno for a system error of a removal, as its own
// removal would have left it, for the reports that quote errno.
int RemovalErrno(DWORD error);
