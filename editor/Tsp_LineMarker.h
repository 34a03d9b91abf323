// A straight line across the field at one position of the bottom axis
// (vertical) or of the left axis (horizontal).
#pragma once

#include "editor/Tsp_PlotMarker.h"

namespace editor {

enum class LineOrientation { loVertical, loHorizontal };

class Tsp_LineMarker : public Tsp_PlotMarker {
public:
    using Tsp_PlotMarker::Tsp_PlotMarker;

    const gui::Pen& Pen() const { return pen_; }
    void setPen(const gui::Pen& pen);
    LineOrientation Orientation() const { return orientation_; }
    void setOrientation(LineOrientation orientation);
    double Position() const { return position_; }
    // A different value is stored and asks for a data repaint.
    void setPosition(double position);

    void draw(gui::Canvas& canvas, const PlotView& view) override;

private:
    gui::Pen pen_;
    LineOrientation orientation_ = LineOrientation::loVertical;
    double position_ = 0;
};

}  // namespace editor
