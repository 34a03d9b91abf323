#include "gui/Canvas.h"

#include <cstdlib>
#include <cstring>

namespace gui {
namespace {

// Dash-dot: a dash, a gap, a dot, a gap, in pixels along the line.
constexpr int kDashDot[] = {9, 3, 3, 3};
constexpr int kDashDotPeriod = 18;

bool dashDotOn(int step) {
    int phase = step % kDashDotPeriod;
    for (int i = 0; i < 4; ++i) {
        if (phase < kDashDot[i]) return i % 2 == 0;
        phase -= kDashDot[i];
    }
    return false;
}

}  // namespace

Canvas::Canvas(Bitmap& target) : target_(target), clip_{0, 0, target.width(), target.height()} {}

void Canvas::setClip(const Rect& bitmapRect) {
    clip_ = bitmapRect.intersected({0, 0, target_.width(), target_.height()});
}

void Canvas::intersectClip(const Rect& localRect) {
    clip_ = clip_.intersected(toBitmap(localRect));
}

void Canvas::fillRect(const Rect& r, Color color) {
    const Rect area = toBitmap(r).intersected(clip_);
    for (int y = area.y; y < area.bottom(); ++y) {
        Color* row = target_.row(y);
        std::fill(row + area.x, row + area.right(), color);
    }
}

void Canvas::setPixel(int x, int y, Color color) {
    const Point p{x + origin_.x, y + origin_.y};
    if (clip_.contains(p)) target_.at(p.x, p.y) = color;
}

void Canvas::blendPixel(int x, int y, Color color, unsigned coverage) {
    const Point p{x + origin_.x, y + origin_.y};
    if (!clip_.contains(p) || coverage == 0) return;
    Color& pixel = target_.at(p.x, p.y);
    pixel = coverage >= 255 ? color : blend(pixel, color, coverage);
}

void Canvas::vLine(int x, int y0, int y1, Color color) {
    if (y1 < y0) std::swap(y0, y1);
    fillRect({x, y0, 1, y1 - y0}, color);
}

void Canvas::hLine(int x0, int x1, int y, Color color) {
    if (x1 < x0) std::swap(x0, x1);
    fillRect({x0, y, x1 - x0, 1}, color);
}

void Canvas::line(Point a, Point b, const Pen& pen) {
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    const int w = std::max(pen.width, 1);
    int err = dx + dy;
    for (int step = 0;; ++step) {
        if (pen.style == PenStyle::Solid || dashDotOn(step)) {
            if (w == 1)
                setPixel(a.x, a.y, pen.color);
            else
                fillRect({a.x - w / 2, a.y - w / 2, w, w}, pen.color);
        }
        if (a == b) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.y += sy;
        }
    }
}

void Canvas::frame3D(const Rect& r, Color topLeft, Color bottomRight) {
    if (r.empty()) return;
    hLine(r.x, r.right() - 1, r.y, topLeft);
    vLine(r.x, r.y, r.bottom() - 1, topLeft);
    hLine(r.x, r.right(), r.bottom() - 1, bottomRight);
    vLine(r.right() - 1, r.y, r.bottom() - 1, bottomRight);
}

void Canvas::bevel(const Rect& r, BevelStyle style, int depth) {
    const bool lowered = style == BevelStyle::Lowered;
    const Color dark = colors::buttonShadow, light = colors::buttonHighlight;
    Rect box = r;
    for (int i = 0; i < depth; ++i) {
        frame3D(box, lowered ? dark : light, lowered ? light : dark);
        box = box.inflated(-1);
    }
}

void Canvas::drawImage(const Image& image, int x, int y, unsigned opacity) {
    const Rect dest = Rect{x, y, image.width(), image.height()};
    const Rect area = toBitmap(dest).intersected(clip_);
    const int sx0 = area.x - (x + origin_.x), sy0 = area.y - (y + origin_.y);
    for (int row = 0; row < area.height; ++row) {
        const Color* src = image.bitmap.row(sy0 + row) + sx0;
        Color* out = target_.row(area.y + row) + area.x;
        if (image.transparency == Transparency::Opaque && opacity >= 255) {
            std::memcpy(out, src, static_cast<size_t>(area.width) * sizeof(Color));
            continue;
        }
        for (int i = 0; i < area.width; ++i)
            if (image.shows(src[i]))
                out[i] = opacity >= 255 ? (src[i] | 0xFF000000u) : blend(out[i], src[i], opacity);
    }
}

void Canvas::drawImagePart(const Image& image, const Rect& source, int x, int y) {
    const Rect src = source.intersected({0, 0, image.width(), image.height()});
    Scope scope(*this);
    intersectClip({x, y, src.width, src.height});
    drawImage(image, x - src.x, y - src.y);
}

void Canvas::drawImageCentered(const Image& image, const Rect& r) {
    drawImage(image, r.x + (r.width - image.width()) / 2, r.y + (r.height - image.height()) / 2);
}

void Canvas::tileImage(const Image& image, const Rect& r) {
    if (image.width() <= 0 || image.height() <= 0) return;
    Scope scope(*this);
    intersectClip(r);
    for (int y = r.y; y < r.bottom(); y += image.height())
        for (int x = r.x; x < r.right(); x += image.width()) drawImage(image, x, y);
}

void Canvas::copyBitmap(const Bitmap& bitmap, int x, int y) {
    const Rect area = toBitmap({x, y, bitmap.width(), bitmap.height()}).intersected(clip_);
    const int sx0 = area.x - (x + origin_.x), sy0 = area.y - (y + origin_.y);
    for (int row = 0; row < area.height; ++row)
        std::memcpy(target_.row(area.y + row) + area.x, bitmap.row(sy0 + row) + sx0,
                    static_cast<size_t>(area.width) * sizeof(Color));
}

}  // namespace gui
