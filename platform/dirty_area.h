// The part of a window that needs painting: the bounding rectangle of every
// invalidated area, clipped to the window, until the next paint takes it.
#pragma once

#include <algorithm>

#include "platform/window.h"

namespace platform {

class DirtyArea {
public:
    DirtyArea(int width, int height) : width_(width), height_(height) {}

    void add(PixelRect area) {
        const int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
        const int x1 = std::min(area.x + area.width, width_);
        const int y1 = std::min(area.y + area.height, height_);
        if (x0 >= x1 || y0 >= y1) return;
        if (empty_) {
            area_ = {x0, y0, x1 - x0, y1 - y0};
            empty_ = false;
            return;
        }
        const int ux0 = std::min(area_.x, x0), uy0 = std::min(area_.y, y0);
        const int ux1 = std::max(area_.x + area_.width, x1);
        const int uy1 = std::max(area_.y + area_.height, y1);
        area_ = {ux0, uy0, ux1 - ux0, uy1 - uy0};
    }
    bool empty() const { return empty_; }
    // The area to paint now; the window is clean afterwards.
    PixelRect take() {
        empty_ = true;
        return area_;
    }

private:
    int width_, height_;
    PixelRect area_{};
    bool empty_ = true;
};

}  // namespace platform
