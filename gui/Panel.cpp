#include "gui/Panel.h"

namespace gui {

void Panel::setColor(Color color) {
    if (color == color_) return;
    color_ = color;
    invalidate();
}

void Panel::setBevel(std::optional<BevelStyle> bevel) {
    if (bevel == bevel_) return;
    bevel_ = bevel;
    invalidate();
}

void Panel::paint(Canvas& canvas) {
    canvas.fillRect(localRect(), color_);
    if (bevel_) canvas.bevel(localRect(), *bevel_);
}

}  // namespace gui
