#pragma once
#include <string>

// The canonical file-system path of a name, resolved through the shell's
// desktop folder; empty when the shell cannot resolve it.
std::wstring CanonicalShellPath(const std::wstring& name);
