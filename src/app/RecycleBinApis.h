#pragma once
// Whether the shell offers the two Recycle Bin functions the bin job needs.

// Shells up to 4.70 lack them.
bool ShellVersionHasRecycleBinApis(unsigned long major, unsigned long minor);
bool CheckRecycleBinApis();
