// A node of the retained widget tree. A widget owns its children, paints
// itself in its own coordinates and asks its form to repaint what changed.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "gui/Canvas.h"
#include "gui/Geometry.h"
#include "platform/window.h"

namespace gui {

class Form;
using platform::Cursor;
using platform::Key;
using platform::MouseButton;

class Widget {
public:
    Widget() = default;
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Creates a child, drawn above the children added before it.
    template <class T, class... Args>
    T& add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        adopt(std::move(child));
        return ref;
    }

    Widget* parent() const { return parent_; }
    // The form at the root of the tree, or null while the widget is not in one.
    virtual Form* form();
    const std::vector<std::unique_ptr<Widget>>& children() const { return children_; }

    // Position relative to the parent.
    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    int width() const { return bounds_.width; }
    int height() const { return bounds_.height; }
    Rect localRect() const { return {0, 0, bounds_.width, bounds_.height}; }
    // Position in the form's coordinates.
    Rect formRect() const;

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible, and so are all its parents.
    bool showing() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor cursor) { cursor_ = cursor; }

    // Asks for a repaint of the whole widget or of a part (local coordinates).
    void invalidate();
    void invalidate(const Rect& localArea);

    bool focused();
    void setFocus();

    // Draws the widget itself; the canvas' origin is the widget's top left
    // corner and its clip lies inside the widget. Children are drawn after.
    virtual void paint(Canvas& canvas);
    // Whether a press at `p` (local) belongs to this widget.
    virtual bool hitTest(Point p) const { return localRect().contains(p); }
    virtual bool acceptsFocus() const { return false; }

    // Input, in local coordinates. A widget that was pressed receives the
    // moves and the release until the button is up, wherever the pointer is.
    virtual void mouseDown(Point, MouseButton) {}
    virtual void mouseMove(Point) {}
    virtual void mouseUp(Point, MouseButton) {}
    // True when the widget used the key.
    virtual bool keyDown(Key) { return false; }
    virtual void keyUp(Key) {}
    virtual void focusChanged(bool) {}

protected:
    // Called after the size changed.
    virtual void resized() {}
    // Removes every child (their destructors run while this widget still exists).
    void destroyChildren();

private:
    void adopt(std::unique_ptr<Widget> child);

    Widget* parent_ = nullptr;
    std::vector<std::unique_ptr<Widget>> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    int tag_ = 0;
    Cursor cursor_ = Cursor::Arrow;
};

}  // namespace gui
