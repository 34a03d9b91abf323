// A plain rectangle in one colour, optionally framed, that holds other widgets.
#pragma once

#include <optional>

#include "gui/Widget.h"

namespace gui {

class Panel : public Widget {
public:
    Color color() const { return color_; }
    void setColor(Color color);
    // No frame when empty.
    void setBevel(std::optional<BevelStyle> bevel);

    void paint(Canvas& canvas) override;

private:
    Color color_ = colors::buttonFace;
    std::optional<BevelStyle> bevel_;
};

}  // namespace gui
