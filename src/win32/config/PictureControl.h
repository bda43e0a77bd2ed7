#pragma once
// The dialog's picture control: draws its bitmap over its whole area, and
// without a bitmap it is invisible, which makes it a clickable hot region
// over a background picture.

#include <windows.h>

namespace brisander {

// A control with an id other than 0 reports a click (button pressed and
// released over it) to its parent as WM_COMMAND with STN_CLICKED. The
// bitmap stays owned by the caller.
HWND CreatePictureControl(HWND parent, int id, const RECT& bounds, HBITMAP bitmap);

// Replaces the control's bitmap and redraws it.
void SetPictureBitmap(HWND control, HBITMAP bitmap);

}  // namespace brisander
