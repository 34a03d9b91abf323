#include "editor/TDIBSlider.h"

#include <algorithm>
#include <cstdint>

namespace editor {

using gui::Point;
using gui::Rect;

TDIBSlider::TDIBSlider() : repeat_(*this) {
    repeat_.setInterval(kRepeatIntervalMs);
    repeat_.OnTimer = [this](gui::TDIBTimer&) { repeatTick(); };
}

void TDIBSlider::setMin(int min) {
    min_ = min;
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, max_);
    offset_ = offsetFor(position_);
    invalidate();
}

void TDIBSlider::setMax(int max) {
    max_ = max;
    if (min_ > max_) min_ = max_;
    position_ = std::clamp(position_, min_, max_);
    offset_ = offsetFor(position_);
    invalidate();
}

void TDIBSlider::setPosition(int v) {
    const int position = std::clamp(v, min_, max_);
    apply(position, offsetFor(position));
}

void TDIBSlider::setImageList(const gui::ImageList* list) {
    images_ = list;
    applyAutoSize();
    offset_ = offsetFor(position_);
    invalidate();
}

void TDIBSlider::setImageIndices(int end1, int end2, int main, int pointer, int overlay) {
    indexEnd1_ = end1;
    indexEnd2_ = end2;
    indexMain_ = main;
    indexPointer_ = pointer;
    indexOverlay_ = overlay;
    applyAutoSize();
    offset_ = offsetFor(position_);
    invalidate();
}

void TDIBSlider::setAutoSize(bool on) {
    autoSize_ = on;
    applyAutoSize();
}

void TDIBSlider::applyAutoSize() {
    if (!autoSize_) return;
    int tallest = 0;
    for (int index : {indexEnd1_, indexEnd2_, indexMain_, indexPointer_, indexOverlay_})
        if (const gui::Image* img = image(index)) tallest = std::max(tallest, img->height());
    if (tallest > 0 && tallest != height()) setBounds({bounds().x, bounds().y, width(), tallest});
}

SliderGeometry TDIBSlider::geometry() const {
    auto widthOf = [this](int index) {
        const gui::Image* img = image(index);
        return img ? img->width() : 0;
    };
    return SliderGeometry::compute(width(), widthOf(indexEnd1_), widthOf(indexEnd2_),
                                   widthOf(indexPointer_));
}

Rect TDIBSlider::pointerRect() const {
    const SliderGeometry g = geometry();
    return {g.pointerLeft(offset_), 0, g.pointerWidth, height()};
}

int TDIBSlider::offsetFor(int position) const {
    const int travel = geometry().travel;
    if (max_ == min_) return 0;
    const std::int64_t offset =
        static_cast<std::int64_t>(travel) * (position - min_) / (max_ - min_);
    return static_cast<int>(std::clamp<std::int64_t>(offset, 0, travel));
}

void TDIBSlider::apply(int position, int offset) {
    position_ = position;
    offset_ = offset;
    invalidate();
    if (OnChange) OnChange(*this);
}

// A press outside the pointer: an end cap steps by SmallChange, the track
// moves toward the press by at most LargeChange.
void TDIBSlider::press(Point p) {
    const SliderGeometry g = geometry();
    if (p.x >= 0 && p.x <= g.leftCapLast) {
        setPosition(position_ - SmallChange);
        return;
    }
    if (p.x >= g.rightCapFirst && p.x <= g.rightCapLast()) {
        setPosition(position_ + SmallChange);
        return;
    }
    const int centre = g.pointerLeft(offset_) + g.pointerWidth / 2;
    const int distance = p.x - centre;
    std::int64_t steps = 0;
    if (g.travel > 0)
        steps = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(distance < 0 ? -distance : distance) * (max_ - min_) /
                g.travel,
            0, max_ - min_);
    steps = std::min<std::int64_t>(steps, LargeChange);
    setPosition(position_ + static_cast<int>(distance < 0 ? -steps : steps));
}

void TDIBSlider::startDrag(Point p) {
    const Rect pointer = pointerRect();
    dragging_ = true;
    grab_ = {p.x - pointer.x, p.y - pointer.y};
}

void TDIBSlider::mouseDown(Point p, gui::MouseButton button) {
    if (button != gui::MouseButton::Left) return;
    if (!buttonDown_) gesture(true);
    buttonDown_ = true;
    if (pointerRect().contains(p)) {
        if (geometry().travel > 0) startDrag(p);
        return;
    }
    pressPoint_ = p;
    press(p);
    try {
        repeat_.setEnabled(true);
    } catch (const gui::TimerError&) {
        // Without a timer the press simply does not repeat.
    }
}

void TDIBSlider::repeatTick() {
    if (!buttonDown_) {
        repeat_.setEnabled(false);
        return;
    }
    const Rect pointer = pointerRect();
    if (pressPoint_.x >= pointer.x && pressPoint_.x < pointer.right() && geometry().travel > 0) {
        repeat_.setEnabled(false);
        startDrag(pressPoint_);
        return;
    }
    press(pressPoint_);
}

void TDIBSlider::mouseMove(Point p) {
    if (!dragging_) return;
    const SliderGeometry g = geometry();
    if (g.travel <= 0) return;
    const int raw = p.x - g.leftCapLast - grab_.x;
    const int offset = std::clamp(raw, 0, g.travel);
    const std::int64_t position = min_ + static_cast<std::int64_t>(raw) * (max_ - min_) / g.travel;
    apply(static_cast<int>(std::clamp<std::int64_t>(position, min_, max_)), offset);
}

void TDIBSlider::mouseUp(Point, gui::MouseButton button) {
    if (button != gui::MouseButton::Left) return;
    const bool wasDown = buttonDown_;
    buttonDown_ = false;
    dragging_ = false;
    repeat_.setEnabled(false);
    if (wasDown) gesture(false);
}

bool TDIBSlider::keyDown(gui::Key key) {
    int step = 0;
    switch (key) {
        case gui::Key::Left: step = -SmallChange; break;
        case gui::Key::Right: step = SmallChange; break;
        case gui::Key::PageUp: step = -PageSize; break;
        case gui::Key::PageDown: step = PageSize; break;
        default: return false;
    }
    // Within a held button's gesture a key's step belongs to it.
    if (!buttonDown_) gesture(true);
    setPosition(position_ + step);
    if (!buttonDown_) gesture(false);
    return true;
}

void TDIBSlider::paint(gui::Canvas& canvas) {
    const SliderGeometry g = geometry();
    const int h = height();
    auto centred = [h](const gui::Image& img) { return (h - img.height()) / 2; };
    if (const gui::Image* cap = image(indexEnd1_))
        canvas.drawImage(*cap, 0, centred(*cap), Opacity);
    if (const gui::Image* cap = image(indexEnd2_))
        canvas.drawImage(*cap, g.rightCapFirst, centred(*cap), Opacity);
    if (const gui::Image* track = image(indexMain_)) {
        const Rect run{g.leftCapLast, centred(*track), g.rightCapFirst - g.leftCapLast + 1,
                       track->height()};
        canvas.tileImage(*track, run);
    }
    if (const gui::Image* pointer = image(indexPointer_))
        canvas.drawImage(*pointer, g.pointerLeft(offset_), centred(*pointer) + PointerOffset,
                         Opacity);
}

}  // namespace editor
