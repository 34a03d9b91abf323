#include "editor/Tsp_LineMarker.h"

#include "editor/Tsp_XYPlot.h"

namespace editor {

void Tsp_PlotMarker::setWhenDraw(WhenDraw when) {
    if (when == whenDraw_) return;
    whenDraw_ = when;
    requestRepaint();
}

void Tsp_PlotMarker::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    requestRepaint();
}

void Tsp_PlotMarker::requestRepaint() {
    if (plot_) plot_->repaintData();
}

void Tsp_LineMarker::setPen(const gui::Pen& pen) {
    pen_ = pen;
    requestRepaint();
}

void Tsp_LineMarker::setOrientation(LineOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    requestRepaint();
}

void Tsp_LineMarker::setPosition(double position) {
    if (position == position_) return;
    position_ = position;
    requestRepaint();
}

// A marker more than its pen width outside the field is left out; one
// nearer is drawn and cut by the field's clip.
void Tsp_LineMarker::draw(gui::Canvas& canvas, const PlotView& view) {
    if (!Visible()) return;
    const gui::Rect& f = view.field;
    const int w = pen_.width;
    if (orientation_ == LineOrientation::loVertical) {
        const int column = view.x.pixelOf(position_);
        if (column < f.x - w || column > f.right() - 1 + w) return;
        canvas.line({column, f.y}, {column, f.bottom() - 1}, pen_);
    } else {
        const int row = view.y.pixelOf(position_);
        if (row < f.y - w || row > f.bottom() - 1 + w) return;
        canvas.line({f.x, row}, {f.right() - 1, row}, pen_);
    }
}

}  // namespace editor
