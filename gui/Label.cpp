#include "gui/Label.h"

namespace gui {
namespace {

template <class T>
bool change(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

void Label::setCaption(std::string caption) {
    if (change(caption_, caption)) invalidate();
}

void Label::setFont(const Font& font) {
    if (change(font_, font)) invalidate();
}

void Label::setFontColor(Color color) {
    if (change(font_.color, color)) invalidate();
}

void Label::setAlignment(HAlign align) {
    if (change(format_.align, align)) invalidate();
}

void Label::setVerticalCenter(bool on) {
    if (change(format_.verticalCenter, on)) invalidate();
}

void Label::setWordWrap(bool on) {
    if (change(format_.wordWrap, on)) invalidate();
}

void Label::setTransparent(bool transparent) {
    if (change(transparent_, transparent)) invalidate();
}

void Label::setColor(Color color) {
    if (change(color_, color)) invalidate();
}

void Label::paint(Canvas& canvas) {
    if (!transparent_) canvas.fillRect(localRect(), color_);
    drawText(canvas, localRect(), caption_, font_, format_);
}

void Label::mouseUp(Point p, MouseButton button) {
    if (button == MouseButton::Left && localRect().contains(p) && OnClick) OnClick(*this);
}

}  // namespace gui
