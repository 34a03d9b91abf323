#include "platform/offscreen/OffscreenWindow.h"

#include <algorithm>

namespace platform {

OffscreenWindow::OffscreenWindow(int width, int height)
    : width_(width),
      height_(height),
      screen_(static_cast<size_t>(width * height), 0xFF000000u),
      dirty_(width, height) {}

void OffscreenWindow::invalidate(PixelRect area) { dirty_.add(area); }

bool OffscreenWindow::startTimer(int timerId, unsigned intervalMs) {
    if (refuseTimers_) return false;
    timers_.start(timerId, intervalMs, now_);
    return true;
}

void OffscreenWindow::advance(std::uint64_t ms) {
    const std::uint64_t end = now_ + ms;
    while (timers_.nextDue() <= end) {
        now_ = std::max(now_, timers_.nextDue());
        const int id = timers_.takeDue(now_, false);
        if (id >= 0 && client_) client_->timerTick(id);
        paintPending();
    }
    now_ = end;
}

void OffscreenWindow::paintPending() {
    if (dirty_.empty() || !client_) return;
    const PixelRect area = dirty_.take();
    const PixelView view = client_->paint(area);
    ++paints_;
    const int w = std::min(view.width, width_), h = std::min(view.height, height_);
    for (int y = area.y; y < std::min(area.y + area.height, h); ++y)
        for (int x = area.x; x < std::min(area.x + area.width, w); ++x)
            screen_[y * width_ + x] = view.pixels[y * view.stride + x] | 0xFF000000u;
}

void OffscreenWindow::mouseDown(int x, int y, MouseButton button) {
    if (client_) client_->mouseDown(x, y, button);
    paintPending();
}

void OffscreenWindow::mouseUp(int x, int y, MouseButton button) {
    if (client_) client_->mouseUp(x, y, button);
    paintPending();
}

void OffscreenWindow::mouseMove(int x, int y) {
    if (client_) client_->mouseMove(x, y);
    paintPending();
}

void OffscreenWindow::click(int x, int y) {
    mouseDown(x, y);
    mouseUp(x, y);
}

void OffscreenWindow::doubleClick(int x, int y) {
    click(x, y);
    click(x, y);
}

void OffscreenWindow::keyDown(Key k) {
    if (client_) client_->keyDown(k);
    paintPending();
}

void OffscreenWindow::keyUp(Key k) {
    if (client_) client_->keyUp(k);
    paintPending();
}

void OffscreenWindow::key(Key k) {
    keyDown(k);
    keyUp(k);
}

void OffscreenWindow::loseFocus() {
    if (client_) client_->focusLost();
    paintPending();
}

bool OffscreenWindow::savePng(const std::string& path) const {
    return writePng(path, screen_.data(), width_, height_, width_);
}

}  // namespace platform
