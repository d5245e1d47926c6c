#pragma once
// The program's own dialog colours: one background brush and one text
// colour, answered to the control-colour messages of a dialog. Edit
// controls and list boxes keep the system colours so typed text stays legible.
#include <windows.h>

#include "win/UniqueResource.h"

namespace win {

class DialogLook {
public:
    DialogLook(COLORREF background, COLORREF text);

    // The brush for a WM_CTLCOLORDLG / WM_CTLCOLORSTATIC / WM_CTLCOLORBTN
    // message after setting the colours on dc, or nullptr for the system's
    // answer (other messages, read-only edits, no brush).
    HBRUSH Answer(UINT message, HDC dc, HWND control) const;

    COLORREF background() const noexcept { return background_; }
    COLORREF text() const noexcept { return text_; }
    HBRUSH Brush() const noexcept { return static_cast<HBRUSH>(brush_.Get()); }

private:
    COLORREF background_;
    COLORREF text_;
    UniqueGdiObject brush_;
};

}  // namespace win
