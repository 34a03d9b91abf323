// The editor window on X11: a child of the host's window on a display
// connection of its own, so the host's connection and threads are never
// touched. Nothing happens on its own: the host's idle call pumps events,
// timers and paints.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cstdint>

#include "platform/dirty_area.h"
#include "platform/timer_table.h"
#include "platform/window.h"

namespace platform {
namespace {

std::uint64_t monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
           static_cast<std::uint64_t>(ts.tv_nsec / 1000000);
}

Key translateKey(KeySym sym) {
    switch (sym) {
        case XK_Left:
        case XK_KP_Left: return Key::Left;
        case XK_Right:
        case XK_KP_Right: return Key::Right;
        case XK_Up:
        case XK_KP_Up: return Key::Up;
        case XK_Down:
        case XK_KP_Down: return Key::Down;
        case XK_Page_Up:
        case XK_KP_Page_Up: return Key::PageUp;
        case XK_Page_Down:
        case XK_KP_Page_Down: return Key::PageDown;
        case XK_Home:
        case XK_KP_Home: return Key::Home;
        case XK_End:
        case XK_KP_End: return Key::End;
        case XK_space: return Key::Space;
        case XK_Tab: return Key::Tab;
        case XK_Return:
        case XK_KP_Enter: return Key::Return;
        case XK_F8: return Key::F8;
        default: return Key::Other;
    }
}

bool translateButton(unsigned button, MouseButton& out) {
    switch (button) {
        case Button1: out = MouseButton::Left; return true;
        case Button2: out = MouseButton::Middle; return true;
        case Button3: out = MouseButton::Right; return true;
        default: return false;  // wheel steps are not presses
    }
}

class X11Window final : public NativeWindow {
public:
    X11Window(Display* display, Window parent, int width, int height)
        : display_(display), width_(width), height_(height) {
        XSetWindowAttributes attributes{};
        attributes.background_pixmap = None;
        attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                                PointerMotionMask | KeyPressMask | KeyReleaseMask |
                                FocusChangeMask | StructureNotifyMask;
        window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
        gc_ = XCreateGC(display_, window_, 0, nullptr);
        XWindowAttributes info{};
        XGetWindowAttributes(display_, window_, &info);
        visual_ = info.visual;
        depth_ = info.depth;
        XMapWindow(display_, window_);
        XFlush(display_);
    }

    // Hosts may destroy their window (and with it ours) before they close
    // the editor; a request to a window that is gone would be an X error,
    // which ends the whole host under the default error handler.
    ~X11Window() override {
        XSync(display_, False);
        drainEvents();
        if (handCursor_) XFreeCursor(display_, handCursor_);
        XFreeGC(display_, gc_);
        if (!gone_) XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }

    void setClient(WindowClient* client) override { client_ = client; }
    void* handle() const override {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
    }

    void invalidate(PixelRect area) override { dirty_.add(area); }

    bool startTimer(int timerId, unsigned intervalMs) override {
        timers_.start(timerId, intervalMs, monotonicMs());
        return true;
    }
    void stopTimer(int timerId) override { timers_.stop(timerId); }
    // While a button is held X delivers the pointer's events to the pressed
    // window anyway (the implicit grab).
    void captureMouse(bool) override {}

    void setCursor(Cursor cursor) override {
        if (gone_) return;
        if (cursor == Cursor::Hand) {
            if (!handCursor_) handCursor_ = XCreateFontCursor(display_, XC_hand2);
            XDefineCursor(display_, window_, handCursor_);
        } else {
            XUndefineCursor(display_, window_);
        }
    }

    void idle() override {
        drainEvents();
        for (int id; (id = timers_.takeDue(monotonicMs(), true)) >= 0;)
            if (client_) client_->timerTick(id);
        paintPending();
        XFlush(display_);
    }

    void runFor(unsigned ms) override {
        const std::uint64_t end = monotonicMs() + ms;
        for (;;) {
            idle();
            const std::uint64_t now = monotonicMs();
            if (now >= end) break;
            const std::uint64_t wake = std::min(end, timers_.nextDue());
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1,
                 static_cast<int>(std::min<std::uint64_t>(wake > now ? wake - now : 0, 20)));
        }
    }

private:
    void drainEvents() {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == DestroyNotify && event.xdestroywindow.window == window_) gone_ = true;
            if (!gone_) dispatch(event);
        }
    }

    void dispatch(const XEvent& event) {
        if (!client_) return;
        MouseButton button{};
        switch (event.type) {
            case Expose:
                invalidate(
                    {event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height});
                break;
            case ButtonPress:
                if (!translateButton(event.xbutton.button, button)) break;
                XSetInputFocus(display_, window_, RevertToParent, event.xbutton.time);
                client_->mouseDown(event.xbutton.x, event.xbutton.y, button);
                break;
            case ButtonRelease:
                if (translateButton(event.xbutton.button, button))
                    client_->mouseUp(event.xbutton.x, event.xbutton.y, button);
                break;
            case MotionNotify: client_->mouseMove(event.xmotion.x, event.xmotion.y); break;
            case KeyPress:
            case KeyRelease: {
                XKeyEvent keyEvent = event.xkey;
                const Key key = translateKey(XLookupKeysym(&keyEvent, 0));
                if (event.type == KeyPress)
                    client_->keyDown(key);
                else
                    client_->keyUp(key);
                break;
            }
            case FocusOut:
                // Only the user taking the focus elsewhere ends a gesture. The
                // press's own focus request answers with a FocusOut of detail
                // NotifyPointer where the server's focus follows the pointer
                // (bare servers, kiosks, focus-follows-mouse desktops); focus
                // moving into a child is NotifyInferior; grabs bring events of
                // other modes. None of these is a loss of focus.
                if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior &&
                    event.xfocus.detail != NotifyPointer)
                    client_->focusLost();
                break;
            default: break;
        }
    }

    void paintPending() {
        if (dirty_.empty() || !client_ || gone_) return;
        const PixelRect area = dirty_.take();
        const PixelView view = client_->paint(area);
        // The canvas is 32-bit 0x00RRGGBB in the machine's byte order, which
        // is what a TrueColor visual of depth 24 takes directly.
        if (depth_ != 24 && depth_ != 32) return;
        XImage* image =
            XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                         reinterpret_cast<char*>(const_cast<std::uint32_t*>(view.pixels)),
                         static_cast<unsigned>(view.width), static_cast<unsigned>(view.height), 32,
                         view.stride * 4);
        if (!image) return;
        const std::uint16_t probe = 1;
        image->byte_order = *reinterpret_cast<const unsigned char*>(&probe) ? LSBFirst : MSBFirst;
        XPutImage(display_, window_, gc_, image, area.x, area.y, area.x, area.y,
                  static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
        image->data = nullptr;
        XDestroyImage(image);
    }

    Display* display_;
    Window window_ = 0;
    GC gc_{};
    Visual* visual_ = nullptr;
    int depth_ = 0;
    int width_, height_;
    WindowClient* client_ = nullptr;
    TimerTable timers_;
    DirtyArea dirty_{width_, height_};
    ::Cursor handCursor_ = 0;
    bool gone_ = false;  // destroyed with the host's window
};

}  // namespace

WindowSystem windowSystem() { return WindowSystem::X11; }

std::unique_ptr<NativeWindow> createChildWindow(void* parent, int width, int height) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    Window parentWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent));
    if (!parentWindow) parentWindow = DefaultRootWindow(display);
    return std::make_unique<X11Window>(display, parentWindow, width, height);
}

}  // namespace platform
