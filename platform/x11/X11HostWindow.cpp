// A top-level X11 window that plays the host in test programs and tools.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <time.h>

#include <cstdint>

#include "platform/window.h"

namespace platform {
namespace {

class X11HostWindow final : public HostWindow {
public:
    X11HostWindow(Display* display, int width, int height, const char* title) : display_(display) {
        const int screen = DefaultScreen(display_);
        window_ =
            XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0,
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                BlackPixel(display_, screen), BlackPixel(display_, screen));
        XStoreName(display_, window_, title ? title : "");
        XSelectInput(display_, window_, StructureNotifyMask);
        XMapWindow(display_, window_);
        for (XEvent event;;) {
            XNextEvent(display_, &event);
            if (event.type == MapNotify) break;
        }
        XSync(display_, False);
    }
    ~X11HostWindow() override {
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }

    void* handle() const override {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
    }

    void runFor(unsigned ms) override {
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        for (;;) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
            }
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const long elapsed =
                (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
            if (elapsed >= static_cast<long>(ms)) break;
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1, 10);
        }
    }

    std::unique_ptr<std::uint32_t[]> readBack(int width, int height) override {
        XSync(display_, False);
        XImage* image = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (!image) return nullptr;
        auto pixels = std::make_unique<std::uint32_t[]>(static_cast<size_t>(width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[static_cast<size_t>(y * width + x)] =
                    0xFF000000u | (static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
        XDestroyImage(image);
        return pixels;
    }

private:
    Display* display_;
    Window window_ = 0;
};

}  // namespace

std::unique_ptr<HostWindow> createHostWindow(int width, int height, const char* title) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    return std::make_unique<X11HostWindow>(display, width, height, title);
}

}  // namespace platform
