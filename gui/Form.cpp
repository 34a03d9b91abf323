#include "gui/Form.h"

#include "gui/TDIBTimer.h"

namespace gui {
namespace {

bool isWithin(const Widget* widget, const Widget& ancestor) {
    for (const Widget* w = widget; w; w = w->parent())
        if (w == &ancestor) return true;
    return false;
}

}  // namespace

Form::Form(std::unique_ptr<platform::NativeWindow> window, int width, int height)
    : window_(std::move(window)) {
    setBounds({0, 0, width, height});
    if (window_) window_->setClient(&events_);
}

Form::~Form() {
    if (window_) window_->setClient(nullptr);
    destroyChildren();
    for (auto& [id, timer] : timers_) {
        if (window_) window_->stopTimer(id);
        timer->detach();
    }
}

void Form::resized() { pixels_.resize(width(), height()); }

void Form::setColor(Color color) {
    if (color == color_) return;
    color_ = color;
    invalidate();
}

void Form::paint(Canvas& canvas) { canvas.fillRect(localRect(), color_); }

void Form::idle() {
    if (window_) window_->idle();
}

const Bitmap& Form::render(const Rect& area) {
    events_.paint(platform::PixelRect{area.x, area.y, area.width, area.height});
    return pixels_;
}

void Form::setFocusedWidget(Widget* widget) {
    if (widget == focused_) return;
    Widget* old = focused_;
    focused_ = widget;
    if (old) old->focusChanged(false);
    if (widget) widget->focusChanged(true);
}

void Form::invalidateArea(const Rect& area) {
    if (window_) window_->invalidate({area.x, area.y, area.width, area.height});
}

void Form::forget(Widget& widget, bool endPress) {
    if (focused_ && isWithin(focused_, widget)) focused_ = nullptr;
    if (pressed_ && isWithin(pressed_, widget)) releasePress(endPress);
}

void Form::releasePress(bool tellWidget) {
    Widget* target = pressed_;
    pressed_ = nullptr;
    if (window_) window_->captureMouse(false);
    // Outside every widget, so that the release triggers nothing.
    if (tellWidget && target) target->mouseUp({-1, -1}, MouseButton::Left);
}

int Form::registerTimer(TDIBTimer& timer) {
    const int id = nextTimerId_++;
    timers_[id] = &timer;
    return id;
}

void Form::unregisterTimer(int id) {
    stopTimer(id);
    timers_.erase(id);
}

bool Form::startTimer(int id, unsigned intervalMs) {
    return window_ && window_->startTimer(id, intervalMs);
}

void Form::stopTimer(int id) {
    if (window_) window_->stopTimer(id);
}

platform::PixelView Form::Events::paint(platform::PixelRect area) {
    Form& f = form_;
    Canvas canvas(f.pixels_);
    const Rect clip = Rect{area.x, area.y, area.width, area.height}.intersected(f.localRect());
    if (!clip.empty()) f.paintTree(f, canvas, {0, 0}, clip);
    return {f.pixels_.data(), f.pixels_.width(), f.pixels_.height(), f.pixels_.width()};
}

void Form::paintTree(Widget& widget, Canvas& canvas, Point parentOrigin, const Rect& parentClip) {
    if (!widget.visible()) return;
    const Rect place = widget.bounds().translated(parentOrigin.x, parentOrigin.y);
    const Rect clip = parentClip.intersected(place);
    if (clip.empty()) return;
    canvas.setOrigin({place.x, place.y});
    canvas.setClip(clip);
    widget.paint(canvas);
    for (const auto& child : widget.children()) paintTree(*child, canvas, {place.x, place.y}, clip);
}

Widget* Form::widgetAt(Point p) {
    Widget* found = nullptr;
    Widget* level = this;
    Point local = p;
    while (level) {
        Widget* next = nullptr;
        const auto& kids = level->children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            Widget& child = **it;
            const Point inChild{local.x - child.bounds().x, local.y - child.bounds().y};
            if (child.visible() && child.enabled() && child.localRect().contains(inChild) &&
                child.hitTest(inChild)) {
                next = &child;
                local = inChild;
                break;
            }
        }
        if (next) found = next;
        level = next;
    }
    return found;
}

void Form::updateCursor(Widget* widget) {
    const Cursor wanted = widget ? widget->cursor() : Cursor::Arrow;
    if (wanted == cursor_) return;
    cursor_ = wanted;
    if (window_) window_->setCursor(wanted);
}

void Form::handleMouseDown(int x, int y, MouseButton button) {
    Widget* target = pressed_ ? pressed_ : widgetAt({x, y});
    if (!target) return;
    if (button == MouseButton::Left && target->acceptsFocus()) setFocusedWidget(target);
    if (!pressed_) {
        pressed_ = target;
        if (window_) window_->captureMouse(true);
    }
    const Rect r = target->formRect();
    target->mouseDown({x - r.x, y - r.y}, button);
}

void Form::handleMouseMove(int x, int y) {
    Widget* target = pressed_ ? pressed_ : widgetAt({x, y});
    updateCursor(target);
    if (!target) return;
    const Rect r = target->formRect();
    target->mouseMove({x - r.x, y - r.y});
}

void Form::handleMouseUp(int x, int y, MouseButton button) {
    Widget* target = pressed_;
    if (!target) return;
    pressed_ = nullptr;
    if (window_) window_->captureMouse(false);
    const Rect r = target->formRect();
    target->mouseUp({x - r.x, y - r.y}, button);
}

void Form::handleKeyDown(Key key) {
    // A key the focused widget does not use goes on to its parents, the form last.
    for (Widget* w = focused_ && focused_->showing() ? focused_ : this; w; w = w->parent())
        if (w->keyDown(key)) return;
}

void Form::handleKeyUp(Key key) {
    if (focused_ && focused_->showing()) focused_->keyUp(key);
}

void Form::handleFocusLost() {
    if (pressed_) releasePress(true);
}

void Form::handleTimerTick(int timerId) {
    auto found = timers_.find(timerId);
    if (found != timers_.end()) found->second->tick();
}

void Form::Events::mouseDown(int x, int y, MouseButton button) {
    form_.handleMouseDown(x, y, button);
}
void Form::Events::mouseMove(int x, int y) { form_.handleMouseMove(x, y); }
void Form::Events::mouseUp(int x, int y, MouseButton button) { form_.handleMouseUp(x, y, button); }
void Form::Events::keyDown(Key key) { form_.handleKeyDown(key); }
void Form::Events::keyUp(Key key) { form_.handleKeyUp(key); }
void Form::Events::focusLost() { form_.handleFocusLost(); }
void Form::Events::timerTick(int timerId) { form_.handleTimerTick(timerId); }

}  // namespace gui
