#pragma once
// The system's open-file dialog as a person fills it: a name typed into its
// name box and Open pressed.
#include <windows.h>

#include <string>

HWND FileNameBox(HWND dialog);
// Types into the name box and presses Open.
void TypeAndOpen(HWND dialog, const std::string& text);
// A folder typed and opened: the dialog shows it and empties the name box.
void OpenFolder(HWND dialog, const std::string& folder);
