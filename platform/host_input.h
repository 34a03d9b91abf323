// For test hosts only: mouse input synthesised inside the process and
// delivered to whatever window lies at a point of the host window's client
// area (the editor's child window), as the system would deliver it.
#pragma once

namespace platform {

// Presses the left button at (x0, y0), moves to (x1, y1) and releases it
// there; a click when both points are the same. False where the system
// offers no such delivery from inside the process (X11: drive the display
// from outside, with xdotool).
bool dragInHostWindow(void* hostWindow, int x0, int y0, int x1, int y1);

}  // namespace platform
