#pragma once
// The dialog boxes a window owns, directly or through another dialog, ended
// as their Cancel would end them: before the window itself ends, since a
// dialog's modal loop would otherwise keep the program running under it.
#include <windows.h>

namespace win {

// The innermost first, so that each modal loop returns into the one that
// opened it. A box that ignores Cancel (Yes and No only) is ended with it.
void CancelOwnedDialogs(HWND owner);

}  // namespace win
