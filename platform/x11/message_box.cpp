// The user's message box on Linux: a small modal X11 dialog on its own
// display connection (so the host's connection is never disturbed), or
// standard error when no display is reachable.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/system.h"

namespace platform {
namespace {

std::vector<std::string> wrapLines(const std::string& text, XFontStruct* font, int width) {
    std::vector<std::string> lines;
    std::string paragraph;
    auto flush = [&](std::string& para) {
        std::string line;
        size_t pos = 0;
        while (pos <= para.size()) {
            size_t next = para.find(' ', pos);
            if (next == std::string::npos) next = para.size();
            std::string word = para.substr(pos, next - pos);
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() &&
                XTextWidth(font, candidate.c_str(), static_cast<int>(candidate.size())) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            pos = next + 1;
        }
        lines.push_back(line);
        para.clear();
    };
    for (char c : text) {
        if (c == '\n')
            flush(paragraph);
        else if (c != '\r')
            paragraph += c;
    }
    flush(paragraph);
    return lines;
}

bool showOnDisplay(Display* display, const char* text, const char* caption) {
    const int screen = DefaultScreen(display);
    XFontStruct* font = XLoadQueryFont(display, "fixed");
    if (!font) return false;
    const int textWidth = 420;
    const std::vector<std::string> lines = wrapLines(text ? text : "", font, textWidth);
    const int lineHeight = font->ascent + font->descent + 2;
    const int buttonW = 80, buttonH = 26;
    const int width = textWidth + 40;
    const int height = 20 + lineHeight * static_cast<int>(lines.size()) + 20 + buttonH + 16;
    const int buttonX = (width - buttonW) / 2, buttonY = height - buttonH - 16;

    const unsigned long white = WhitePixel(display, screen), black = BlackPixel(display, screen);
    Window window = XCreateSimpleWindow(
        display, RootWindow(display, screen), (DisplayWidth(display, screen) - width) / 2,
        (DisplayHeight(display, screen) - height) / 2, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 1, black, white);
    XStoreName(display, window, caption ? caption : "Error");
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, windowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialogType), 1);
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
    XSelectInput(display, window,
                 ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask);
    GC gc = XCreateGC(display, window, 0, nullptr);
    XSetFont(display, gc, font->fid);
    XMapRaised(display, window);

    bool done = false;
    while (!done) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
            case Expose:
                if (event.xexpose.count != 0) break;
                XSetForeground(display, gc, black);
                for (size_t i = 0; i < lines.size(); ++i)
                    XDrawString(display, window, gc, 20,
                                20 + font->ascent + lineHeight * static_cast<int>(i),
                                lines[i].c_str(), static_cast<int>(lines[i].size()));
                XDrawRectangle(display, window, gc, buttonX, buttonY, buttonW, buttonH);
                XDrawString(display, window, gc,
                            buttonX + (buttonW - XTextWidth(font, "OK", 2)) / 2,
                            buttonY + (buttonH + font->ascent - font->descent) / 2, "OK", 2);
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space)
                    done = true;
                break;
            }
            case ButtonRelease:
                if (event.xbutton.x >= buttonX && event.xbutton.x < buttonX + buttonW &&
                    event.xbutton.y >= buttonY && event.xbutton.y < buttonY + buttonH)
                    done = true;
                break;
            case ClientMessage:
                if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) done = true;
                break;
            default: break;
        }
    }
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XFreeFont(display, font);
    return true;
}

}  // namespace

void showMessageBox(const char* text, const char* caption) {
    if (Display* display = XOpenDisplay(nullptr)) {
        const bool shown = showOnDisplay(display, text, caption);
        XCloseDisplay(display);
        if (shown) return;
    }
    std::fprintf(stderr, "%s%s%s\n", caption ? caption : "", caption ? ": " : "", text ? text : "");
}

}  // namespace platform
