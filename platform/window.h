// The editor's native window: one small interface that every back-end
// (win32/, x11/, offscreen/) implements. Back-ends only translate between the
// operating system and WindowClient; all behaviour lives in gui/.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A read-only view of 32-bit pixels (0xAARRGGBB in native byte order), rows
// `stride` pixels apart.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0, height = 0, stride = 0;
};

enum class MouseButton { Left, Right, Middle };

enum class Key {
    Other,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End,
    Space,
    Tab,
    Return,
    F8
};

enum class Cursor { Arrow, Hand };

// What the window system tells the widget tree. All calls arrive on the
// thread that owns the window, one at a time.
class WindowClient {
public:
    virtual ~WindowClient() = default;
    // Brings the pixels of `area` up to date and returns the whole picture;
    // the back-end then copies `area` of it to the screen.
    virtual PixelView paint(PixelRect area) = 0;
    virtual void mouseDown(int x, int y, MouseButton button) = 0;
    virtual void mouseUp(int x, int y, MouseButton button) = 0;
    virtual void mouseMove(int x, int y) = 0;
    virtual void keyDown(Key key) = 0;
    virtual void keyUp(Key key) = 0;
    virtual void focusLost() = 0;
    virtual void timerTick(int timerId) = 0;
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    // The events of this window go to `client` from now on (null: nowhere).
    virtual void setClient(WindowClient* client) = 0;
    // The system's handle of the window (HWND, X11 Window id, or null).
    virtual void* handle() const = 0;
    // Asks for a paint of `area`; several requests before it cost one paint.
    virtual void invalidate(PixelRect area) = 0;
    // Repeating timer that reports `timerId` every `intervalMs` milliseconds;
    // false when the system has no timer left. Starting a running id restarts it.
    virtual bool startTimer(int timerId, unsigned intervalMs) = 0;
    virtual void stopTimer(int timerId) = 0;
    // Keeps the mouse events coming to this window while a button is held.
    virtual void captureMouse(bool on) = 0;
    virtual void setCursor(Cursor cursor) = 0;
    // Called from the host's idle call: handles what the system has queued
    // for the window (events, due timers, pending paints) and returns.
    virtual void idle() = 0;
    // For test programs and stand-alone tools only, never inside a host:
    // handles the window's events for about `ms` milliseconds.
    virtual void runFor(unsigned ms) = 0;
};

// The window system child windows are made in, which tells what kind of
// handle `parent` must be: an HWND on Win32, a Window id on X11.
enum class WindowSystem { Win32, X11 };
WindowSystem windowSystem();

// The editor window as a child of the host's window `parent`, `width` x
// `height` pixels, visible. Null when the system refuses it. Opens no
// connection to a display before it is called.
std::unique_ptr<NativeWindow> createChildWindow(void* parent, int width, int height);

// A plain top-level window that plays the host's part in test programs and
// stand-alone tools: the parent for createChildWindow.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual void* handle() const = 0;
    // Handles the events of the host window for about `ms` milliseconds.
    virtual void runFor(unsigned ms) = 0;
    // Reads back what the screen shows in the window's client area, as
    // 0xFFRRGGBB pixels, row by row; empty when it cannot be read.
    virtual std::unique_ptr<std::uint32_t[]> readBack(int width, int height) = 0;
};

// Null when no display is reachable.
std::unique_ptr<HostWindow> createHostWindow(int width, int height, const char* title);

}  // namespace platform
