// Drawing into a Bitmap. Coordinates are relative to an origin (the top left
// corner of the widget being painted) and everything is cut to a clip
// rectangle given in bitmap coordinates.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Geometry.h"
#include "gui/Image.h"

namespace gui {

enum class PenStyle { Solid, DashDot };

struct Pen {
    Color color = colors::black;
    int width = 1;
    PenStyle style = PenStyle::Solid;
};

enum class BevelStyle { Lowered, Raised };

class Canvas {
public:
    explicit Canvas(Bitmap& target);

    Bitmap& target() { return target_; }
    Point origin() const { return origin_; }
    void setOrigin(Point origin) { origin_ = origin; }
    // The clip in bitmap coordinates.
    Rect clip() const { return clip_; }
    void setClip(const Rect& bitmapRect);
    // Narrows the clip to `localRect` (origin-relative).
    void intersectClip(const Rect& localRect);

    // Saves origin and clip and restores them when it goes out of scope.
    class Scope {
    public:
        explicit Scope(Canvas& canvas)
            : canvas_(canvas), origin_(canvas.origin_), clip_(canvas.clip_) {}
        ~Scope() {
            canvas_.origin_ = origin_;
            canvas_.clip_ = clip_;
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Canvas& canvas_;
        Point origin_;
        Rect clip_;
    };

    void fillRect(const Rect& r, Color color);
    void setPixel(int x, int y, Color color);
    // Lays `color` over the pixel with coverage 0..255.
    void blendPixel(int x, int y, Color color, unsigned coverage);
    // Rows y0..y1-1 of column x.
    void vLine(int x, int y0, int y1, Color color);
    // Columns x0..x1-1 of row y.
    void hLine(int x0, int x1, int y, Color color);
    // From `a` to `b`, both included; wider pens draw a square brush.
    void line(Point a, Point b, const Pen& pen);
    // A one-pixel frame: top and left in `topLeft`, bottom and right in `bottomRight`.
    void frame3D(const Rect& r, Color topLeft, Color bottomRight);
    // A framed box in the system's 3-D colours.
    void bevel(const Rect& r, BevelStyle style, int depth = 1);

    // Copies `image` with its transparency, its top left corner at (x, y);
    // `opacity` below 255 blends it with what is below.
    void drawImage(const Image& image, int x, int y, unsigned opacity = 255);
    // The part `source` of the image only.
    void drawImagePart(const Image& image, const Rect& source, int x, int y);
    void drawImageCentered(const Image& image, const Rect& r);
    // Repeats the image over `r` from its top left corner, cut at its edges.
    void tileImage(const Image& image, const Rect& r);
    // A plain copy of a whole bitmap, row by row.
    void copyBitmap(const Bitmap& bitmap, int x, int y);

private:
    Rect toBitmap(const Rect& local) const { return local.translated(origin_.x, origin_.y); }

    Bitmap& target_;
    Point origin_{};
    Rect clip_;
};

}  // namespace gui
