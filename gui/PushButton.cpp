#include "gui/PushButton.h"

#include "gui/Text.h"

namespace gui {

PushButton::PushButton(std::string caption) : caption_(std::move(caption)) {}

void PushButton::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    invalidate();
}

void PushButton::setFont(const Font& font) {
    if (font == font_) return;
    font_ = font;
    invalidate();
}

void PushButton::setDown(bool down) {
    if (down == down_) return;
    down_ = down;
    invalidate();
}

void PushButton::setSunk(bool sunk) {
    if (sunk == sunk_) return;
    sunk_ = sunk;
    invalidate();
}

void PushButton::paint(Canvas& canvas) {
    const Rect r = localRect();
    const bool in = sunk_ || down_;
    canvas.fillRect(r, in && down_ ? hex(0xE8E6E0) : colors::buttonFace);
    if (in) {
        canvas.frame3D(r, colors::buttonDarkShadow, colors::buttonHighlight);
        canvas.frame3D(r.inflated(-1), colors::buttonShadow, colors::buttonFace);
    } else {
        canvas.frame3D(r, colors::buttonHighlight, colors::buttonDarkShadow);
        canvas.frame3D(r.inflated(-1), colors::buttonFace, colors::buttonShadow);
    }
    const int shift = in ? 1 : 0;
    drawText(canvas, r.translated(shift, shift), caption_, font_, {HAlign::Center, true, false});
}

void PushButton::mouseDown(Point p, MouseButton button) {
    if (button != MouseButton::Left) return;
    held_ = true;
    setSunk(localRect().contains(p));
}

void PushButton::mouseMove(Point p) {
    if (held_) setSunk(localRect().contains(p));
}

void PushButton::mouseUp(Point p, MouseButton button) {
    if (button != MouseButton::Left || !held_) return;
    held_ = false;
    setSunk(false);
    if (localRect().contains(p) && OnClick) OnClick(*this);
}

bool PushButton::keyDown(Key key) {
    if (key != Key::Space) return false;
    spaceHeld_ = true;
    setSunk(true);
    return true;
}

void PushButton::keyUp(Key key) {
    if (key != Key::Space || !spaceHeld_) return;
    spaceHeld_ = false;
    setSunk(false);
    if (OnClick) OnClick(*this);
}

}  // namespace gui
