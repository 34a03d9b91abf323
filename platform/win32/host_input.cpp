#include <windows.h>

#include "platform/host_input.h"

namespace platform {
namespace {

LPARAM pointParam(POINT p) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x)),
                      static_cast<WORD>(static_cast<short>(p.y)));
}

}  // namespace

bool dragInHostWindow(void* hostWindow, int x0, int y0, int x1, int y1,
                      const std::function<void()>& between) {
    HWND host = static_cast<HWND>(hostWindow);
    POINT from{x0, y0};
    HWND target = ChildWindowFromPointEx(host, from, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!target) return false;
    POINT to{x1, y1};
    MapWindowPoints(host, target, &from, 1);
    MapWindowPoints(host, target, &to, 1);
    SendMessageA(target, WM_MOUSEMOVE, 0, pointParam(from));
    SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(from));
    between();
    // The way there in a few steps, as a hand moves.
    for (int step = 1; step <= 4; ++step) {
        const POINT p{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4};
        SendMessageA(target, WM_MOUSEMOVE, MK_LBUTTON, pointParam(p));
        between();
    }
    SendMessageA(target, WM_LBUTTONUP, 0, pointParam(to));
    return true;
}

}  // namespace platform
