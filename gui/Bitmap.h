// A rectangle of 0xAARRGGBB pixels in memory, row after row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/Color.h"

namespace gui {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = colors::black) { resize(width, height, fill); }

    // Throws std::bad_alloc when the memory cannot be had.
    void resize(int width, int height, Color fill = colors::black) {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
        width_ = width;
        height_ = height;
    }
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    Color* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Color* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Color& at(int x, int y) { return row(y)[x]; }
    Color at(int x, int y) const { return row(y)[x]; }
    const Color* data() const { return pixels_.data(); }

private:
    int width_ = 0, height_ = 0;
    std::vector<Color> pixels_;
};

}  // namespace gui
