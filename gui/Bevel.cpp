#include "gui/Bevel.h"

namespace gui {

void Bevel::setStyle(BevelStyle style) {
    if (style == style_) return;
    style_ = style;
    invalidate();
}

// A box is a frame of two one-pixel rectangles offset by one, so that it reads
// as a groove (lowered) or a ridge (raised) on any background.
void Bevel::paint(Canvas& canvas) {
    const bool lowered = style_ == BevelStyle::Lowered;
    const Color first = lowered ? colors::buttonShadow : colors::buttonHighlight;
    const Color second = lowered ? colors::buttonHighlight : colors::buttonShadow;
    const Rect r = localRect();
    canvas.frame3D({r.x, r.y, r.width - 1, r.height - 1}, first, first);
    canvas.frame3D({r.x + 1, r.y + 1, r.width - 1, r.height - 1}, second, second);
}

}  // namespace gui
