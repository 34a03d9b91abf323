#include "editor/Tsp_Axis.h"

#include "editor/PlotMapping.h"
#include "editor/Tsp_XYPlot.h"

namespace editor {

Tsp_Axis::Tsp_Axis(Tsp_XYPlot& plot, AxisSide side) : plot_(plot), side_(side) {}

void Tsp_Axis::changed() { plot_.repaintAll(); }

void Tsp_Axis::setMin(double v) {
    if (v == min_) return;
    min_ = v;
    changed();
}

void Tsp_Axis::setMax(double v) {
    if (v == max_) return;
    max_ = v;
    changed();
}

void Tsp_Axis::setTicksCount(int n) {
    if (n == ticks_) return;
    ticks_ = n;
    changed();
}

void Tsp_Axis::setMargin(int pixels) {
    if (pixels == margin_) return;
    margin_ = pixels;
    plot_.relayout();
}

void Tsp_Axis::setShowLine(bool on) {
    if (on == showLine_) return;
    showLine_ = on;
    changed();
}

void Tsp_Axis::setGridVisible(bool on) {
    if (on == gridVisible_) return;
    gridVisible_ = on;
    changed();
}

void Tsp_Axis::setLineColor(gui::Color color) {
    if (color == lineColor_) return;
    lineColor_ = color;
    changed();
}

void Tsp_Axis::setGridColor(gui::Color color) {
    if (color == gridColor_) return;
    gridColor_ = color;
    changed();
}

int Tsp_Axis::pixelOf(double value) const {
    if (max_ == min_) return start_;
    return toPixel(start_ + (value - min_) * length_ / (max_ - min_));
}

int Tsp_Axis::tickPixel(int i) const {
    if (ticks_ < 2) return start_;
    return start_ + toPixel(static_cast<double>(length_) * i / (ticks_ - 1));
}

}  // namespace editor
