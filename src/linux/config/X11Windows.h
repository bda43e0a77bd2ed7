#pragma once
// What the dialog may do to a window of another X11 client: ask whether it
// exists and hand it the keyboard focus.

#include <cstdint>

namespace brisander {

// False also when the display is not an X11 display.
bool X11WindowExists(uint32_t window);

// Asks the window manager to activate the window (_NET_ACTIVE_WINDOW) and,
// for a display without one, gives it the input focus directly.
void ActivateX11Window(uint32_t window);

}  // namespace brisander
