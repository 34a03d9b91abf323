#include "editor/TGlintButton.h"

#include "gui/Text.h"

namespace editor {

using gui::Point;
using gui::Rect;

TGlintButton::TGlintButton() : animation_(*this) {
    animation_.OnTimer = [this](gui::TDIBTimer&) { clickTick(); };
}

void TGlintButton::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    invalidate();
}

void TGlintButton::setFont(const gui::Font& font) {
    if (font == font_) return;
    font_ = font;
    invalidate();
}

void TGlintButton::setFontColor(gui::Color color) {
    if (color == font_.color) return;
    font_.color = color;
    invalidate();
}

void TGlintButton::setButtonColor(gui::Color color) {
    if (color == buttonColor_) return;
    buttonColor_ = color;
    invalidate();
}

void TGlintButton::setButtonDepth(int depth) {
    if (depth == buttonDepth_) return;
    buttonDepth_ = depth;
    invalidate();
}

void TGlintButton::setMainBitmap(gui::Image image) {
    mainBitmap_ = std::move(image);
    invalidate();
}

void TGlintButton::setOnClickBitmap(gui::Image image, int glyphs) {
    onClickBitmap_ = std::move(image);
    onClickGlyphs_ = glyphs > 0 ? glyphs : 1;
    invalidate();
}

Point TGlintButton::placed(int w, int h, HorizontalAlign ha, VerticalAlign va) const {
    const int x = ha == HorizontalAlign::haLeft     ? 0
                  : ha == HorizontalAlign::haCenter ? (width() - w) / 2
                                                    : width() - w;
    const int y = va == VerticalAlign::vaTop      ? 0
                  : va == VerticalAlign::vaCenter ? (height() - h) / 2
                                                  : height() - h;
    return {x, y};
}

void TGlintButton::paint(gui::Canvas& canvas) {
    const Rect r = localRect();
    if (!Transparent) {
        canvas.fillRect(r, buttonColor_);
        canvas.bevel(r, gui::BevelStyle::Raised, buttonDepth_);
    }
    auto draw = [&](const gui::Image& img, int x, int y) {
        if (!Transparent || img.transparency != gui::Transparency::Opaque) {
            canvas.drawImage(img, x, y);
            return;
        }
        // Transparent without a rule of its own: the top left pixel's colour
        // is the picture's background.
        gui::Image keyed{img.bitmap, gui::Transparency::ColorKey, img.bitmap.at(0, 0)};
        canvas.drawImage(keyed, x, y);
    };
    const int shift = sunk_ ? 1 : 0;
    if (!mainBitmap_.bitmap.empty()) {
        const Point at =
            placed(mainBitmap_.width(), mainBitmap_.height(), BitmapHAlign, BitmapVAlign);
        draw(mainBitmap_, at.x + shift, at.y + shift);
    }
    if (clickFrame_ >= 0 && !onClickBitmap_.bitmap.empty()) {
        const int frameWidth = onClickBitmap_.width() / onClickGlyphs_;
        const Point at = placed(frameWidth, onClickBitmap_.height(), HorizontalAlign::haCenter,
                                VerticalAlign::vaCenter);
        canvas.drawImagePart(onClickBitmap_,
                             {clickFrame_ * frameWidth, 0, frameWidth, onClickBitmap_.height()},
                             at.x, at.y);
    }
    const Rect textBox = r.translated(CaptionLeft, CaptionTop);
    const gui::HAlign align = CaptionHAlign == HorizontalAlign::haLeft    ? gui::HAlign::Left
                              : CaptionHAlign == HorizontalAlign::haRight ? gui::HAlign::Right
                                                                          : gui::HAlign::Center;
    const gui::TextFormat format{align, CaptionVAlign == VerticalAlign::vaCenter, false};
    // The pressed relief: a light edge below and right of the letters.
    if (caption3dKind == Caption3dKind::ckPressed)
        gui::drawText(canvas, textBox.translated(1, 1), caption_, font_, format,
                      gui::colors::buttonHighlight);
    else if (caption3dKind == Caption3dKind::ckRaised)
        gui::drawText(canvas, textBox.translated(1, 1), caption_, font_, format,
                      gui::colors::buttonShadow);
    gui::drawText(canvas, textBox, caption_, font_, format);
}

void TGlintButton::setSunk(bool sunk) {
    if (sunk == sunk_) return;
    sunk_ = sunk;
    invalidate();
}

void TGlintButton::startClickPicture() {
    if (animation_.Enabled()) return;
    nextFrame_ = 0;
    try {
        animation_.setInterval(OnClickInterval);
        animation_.setEnabled(true);
    } catch (const gui::TimerError&) {
        // Without a timer there is no click picture; the click still counts.
    }
}

void TGlintButton::clickTick() {
    if (nextFrame_ < onClickGlyphs_) {
        clickFrame_ = nextFrame_++;
    } else {
        animation_.setEnabled(false);
        clickFrame_ = -1;
    }
    invalidate();
}

void TGlintButton::mouseDown(Point p, gui::MouseButton button) {
    if (button != gui::MouseButton::Left) return;
    held_ = true;
    setSunk(localRect().contains(p));
    startClickPicture();
}

void TGlintButton::mouseMove(Point p) {
    if (held_) setSunk(localRect().contains(p));
}

void TGlintButton::mouseUp(Point p, gui::MouseButton button) {
    if (button != gui::MouseButton::Left || !held_) return;
    held_ = false;
    setSunk(false);
    if (localRect().contains(p) && OnClick) OnClick(*this);
}

bool TGlintButton::keyDown(gui::Key key) {
    if (key != gui::Key::Space) return false;
    if (!spaceHeld_) startClickPicture();
    spaceHeld_ = true;
    return true;
}

void TGlintButton::keyUp(gui::Key key) {
    if (key != gui::Key::Space || !spaceHeld_) return;
    spaceHeld_ = false;
    if (OnClick) OnClick(*this);
}

}  // namespace editor
