// Points and rectangles in pixels; a rectangle covers x..x+width-1, y..y+height-1.
#pragma once

#include <algorithm>

namespace gui {

struct Point {
    int x = 0, y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;

    int right() const { return x + width; }    // one past the last column
    int bottom() const { return y + height; }  // one past the last row
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    bool contains(const Rect& r) const {
        return r.x >= x && r.y >= y && r.right() <= right() && r.bottom() <= bottom();
    }
    Rect translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    Rect inflated(int d) const { return {x - d, y - d, width + 2 * d, height + 2 * d}; }

    Rect intersected(const Rect& r) const {
        const int x0 = std::max(x, r.x), y0 = std::max(y, r.y);
        const int x1 = std::min(right(), r.right()), y1 = std::min(bottom(), r.bottom());
        if (x1 <= x0 || y1 <= y0) return {};
        return {x0, y0, x1 - x0, y1 - y0};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect united(const Rect& r) const {
        if (r.empty()) return *this;
        if (empty()) return r;
        const int x0 = std::min(x, r.x), y0 = std::min(y, r.y);
        const int x1 = std::max(right(), r.right()), y1 = std::max(bottom(), r.bottom());
        return {x0, y0, x1 - x0, y1 - y0};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace gui
