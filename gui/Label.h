// A line (or wrapped lines) of text, on the parent's picture or on its own
// background colour.
#pragma once

#include <functional>
#include <string>

#include "gui/Font.h"
#include "gui/Text.h"
#include "gui/Widget.h"

namespace gui {

class Label : public Widget {
public:
    explicit Label(std::string caption = {}) : caption_(std::move(caption)) {}

    // Each setter repaints the label only when the value changes.
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    void setFontColor(Color color);
    HAlign alignment() const { return format_.align; }
    void setAlignment(HAlign align);
    void setVerticalCenter(bool on);
    void setWordWrap(bool on);
    // A transparent label draws only its text; an opaque one fills its
    // rectangle with its colour first.
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    Color color() const { return color_; }
    void setColor(Color color);

    // Raised when the left button is pressed and released over the label.
    std::function<void(Label&)> OnClick;

    void paint(Canvas& canvas) override;
    void mouseUp(Point p, MouseButton button) override;

private:
    std::string caption_;
    Font font_;
    TextFormat format_;
    bool transparent_ = true;
    Color color_ = colors::buttonFace;
};

}  // namespace gui
