// A standard push button: a raised face with a caption that sinks while it
// is pressed; a latched button (down) stays sunk, as the tabs of a page control.
#pragma once

#include <functional>
#include <string>

#include "gui/Font.h"
#include "gui/Widget.h"

namespace gui {

class PushButton : public Widget {
public:
    explicit PushButton(std::string caption = {});

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    bool down() const { return down_; }
    void setDown(bool down);

    // Raised once per completed click: left button pressed and released over
    // the button, or the Space key pressed and released while it has the focus.
    std::function<void(PushButton&)> OnClick;

    void paint(Canvas& canvas) override;
    bool acceptsFocus() const override { return true; }
    void mouseDown(Point p, MouseButton button) override;
    void mouseMove(Point p) override;
    void mouseUp(Point p, MouseButton button) override;
    bool keyDown(Key key) override;
    void keyUp(Key key) override;

private:
    void setSunk(bool sunk);

    std::string caption_;
    Font font_;
    bool down_ = false;
    bool held_ = false;
    bool sunk_ = false;
    bool spaceHeld_ = false;
};

}  // namespace gui
