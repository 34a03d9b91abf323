// For test hosts only: mouse input synthesised inside the process and
// delivered to whatever window lies at a point of the host window's client
// area (the editor's child window), as the system would deliver it.
#pragma once

#include <functional>

namespace platform {

// Presses the left button at (x0, y0), moves to (x1, y1) in a few steps and
// releases it there; a click when both points are the same. `between` runs
// after the press and after each move, where a host makes its idle calls.
// False where the system offers no such delivery from inside the process
// (X11: drive the display from outside, with xdotool).
bool dragInHostWindow(void* hostWindow, int x0, int y0, int x1, int y1,
                      const std::function<void()>& between);

}  // namespace platform
