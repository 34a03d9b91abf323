#include "gui/Widget.h"

#include "gui/Form.h"

namespace gui {

Widget::~Widget() { destroyChildren(); }

void Widget::destroyChildren() {
    if (Form* f = form()) f->forget(*this, false);
    while (!children_.empty()) children_.pop_back();
}

void Widget::adopt(std::unique_ptr<Widget> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    children_.back()->invalidate();
}

Form* Widget::form() { return parent_ ? parent_->form() : nullptr; }

Rect Widget::formRect() const {
    Rect r = bounds_;
    for (const Widget* w = parent_; w; w = w->parent_) r = r.translated(w->bounds_.x, w->bounds_.y);
    return r;
}

void Widget::setBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    const bool sized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    if (parent_ && showing()) parent_->invalidate(bounds_);
    bounds_ = bounds;
    if (sized) resized();
    invalidate();
}

void Widget::setVisible(bool visible) {
    if (visible == visible_) return;
    if (!visible) {
        if (Form* f = form()) f->forget(*this, true);
        if (parent_ && showing()) parent_->invalidate(bounds_);
        visible_ = false;
    } else {
        visible_ = true;
        invalidate();
    }
}

bool Widget::showing() const {
    for (const Widget* w = this; w; w = w->parent_)
        if (!w->visible_) return false;
    return true;
}

void Widget::invalidate() { invalidate(localRect()); }

void Widget::invalidate(const Rect& localArea) {
    if (!showing()) return;
    Form* f = form();
    if (!f) return;
    // Cut to every parent on the way up: nothing shows outside them.
    Rect area = localArea.intersected(localRect());
    for (const Widget* w = this; w->parent_; w = w->parent_) {
        area = area.translated(w->bounds_.x, w->bounds_.y).intersected(w->parent_->localRect());
    }
    if (!area.empty()) f->invalidateArea(area);
}

bool Widget::focused() {
    Form* f = form();
    return f && f->focusedWidget() == this;
}

void Widget::setFocus() {
    if (Form* f = form()) f->setFocusedWidget(this);
}

void Widget::paint(Canvas&) {}

}  // namespace gui
