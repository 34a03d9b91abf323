// A framed box drawn over the parent's picture; it takes no input.
#pragma once

#include "gui/Widget.h"

namespace gui {

class Bevel : public Widget {
public:
    explicit Bevel(BevelStyle style = BevelStyle::Lowered) : style_(style) {}

    BevelStyle style() const { return style_; }
    void setStyle(BevelStyle style);

    void paint(Canvas& canvas) override;
    bool hitTest(Point) const override { return false; }

private:
    BevelStyle style_;
};

}  // namespace gui
