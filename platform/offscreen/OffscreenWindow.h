// A window without a screen, for tests and snapshots: its "screen" is a pixel
// buffer, its clock is fake and moves only when the test advances it, and its
// input comes from the test's calls. Paints happen as on a real system: after
// each delivered event, for whatever was invalidated, once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dirty_area.h"
#include "platform/timer_table.h"
#include "platform/window.h"

namespace platform {

class OffscreenWindow final : public NativeWindow {
public:
    OffscreenWindow(int width, int height);

    // NativeWindow
    void setClient(WindowClient* client) override { client_ = client; }
    void* handle() const override { return nullptr; }
    void invalidate(PixelRect area) override;
    bool startTimer(int timerId, unsigned intervalMs) override;
    void stopTimer(int timerId) override { timers_.stop(timerId); }
    void captureMouse(bool on) override { captured_ = on; }
    void setCursor(Cursor cursor) override { cursor_ = cursor; }
    void idle() override { paintPending(); }
    void runFor(unsigned ms) override { advance(ms); }

    // The fake clock: moves time on by `ms`, delivering every timer tick that
    // falls due on the way at its exact time, each followed by its paint.
    void advance(std::uint64_t ms);
    std::uint64_t now() const { return now_; }

    // Input as the system would deliver it; each is followed by its paint.
    void mouseDown(int x, int y, MouseButton button = MouseButton::Left);
    void mouseUp(int x, int y, MouseButton button = MouseButton::Left);
    void mouseMove(int x, int y);
    void click(int x, int y);
    // The second press of a double click arrives as an ordinary press.
    void doubleClick(int x, int y);
    void keyDown(Key key);
    void keyUp(Key key);
    void key(Key key);
    void loseFocus();

    // Paints what is invalid and copies it to the screen buffer.
    void paintPending();

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t screenPixel(int x, int y) const { return screen_[y * width_ + x]; }
    const std::vector<std::uint32_t>& screen() const { return screen_; }
    // Paints delivered to the client so far.
    int paintCount() const { return paints_; }
    bool mouseCaptured() const { return captured_; }
    Cursor cursor() const { return cursor_; }
    // When set, startTimer fails as when the system has no timer left.
    void refuseTimers(bool refuse) { refuseTimers_ = refuse; }
    // Writes the screen buffer as a PNG file; false on failure.
    bool savePng(const std::string& path) const;

private:
    int width_, height_;
    std::vector<std::uint32_t> screen_;
    WindowClient* client_ = nullptr;
    DirtyArea dirty_;
    TimerTable timers_;
    std::uint64_t now_ = 0;
    int paints_ = 0;
    bool captured_ = false;
    bool refuseTimers_ = false;
    Cursor cursor_ = Cursor::Arrow;
};

// Writes 0xAARRGGBB pixels as an opaque RGB PNG file; false on failure.
bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int stride);

}  // namespace platform
