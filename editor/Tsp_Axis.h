// One of the four axes of a plot: its range, ticks, grid and the mapping
// from values to pixels. Tick labels and captions are not drawn.
#pragma once

#include <string>

#include "gui/Color.h"

namespace editor {

class Tsp_XYPlot;

enum class AxisSide { Left, Bottom, Right, Top };

class Tsp_Axis {
public:
    Tsp_Axis(Tsp_XYPlot& plot, AxisSide side);

    AxisSide side() const { return side_; }
    bool vertical() const { return side_ == AxisSide::Left || side_ == AxisSide::Right; }

    double Min() const { return min_; }
    double Max() const { return max_; }
    // Each setter stores a different value, recomputes the scale and ticks
    // and repaints the whole plot; the same value changes nothing.
    void setMin(double v);
    void setMax(double v);
    int TicksCount() const { return ticks_; }
    void setTicksCount(int n);
    int Margin() const { return margin_; }
    void setMargin(int pixels);
    bool ShowLine() const { return showLine_; }
    void setShowLine(bool on);
    bool GridVisible() const { return gridVisible_; }
    void setGridVisible(bool on);
    gui::Color LineColor() const { return lineColor_; }
    void setLineColor(gui::Color color);
    gui::Color GridColor() const { return gridColor_; }
    void setGridColor(gui::Color color);
    // Kept for labels, which this plot does not draw.
    std::string LabelFormat = "###0.##";

    // Set by the plot's layout: the pixel of Min and the signed length to Max
    // (upwards, so negative, for vertical axes).
    void place(int start, int length) {
        start_ = start;
        length_ = length;
    }
    int start() const { return start_; }
    int length() const { return length_; }
    // Pixel of a value, rounded half to even and held to ±16383.
    int pixelOf(double value) const;
    // Pixel of tick i of TicksCount, evenly spread over the axis.
    int tickPixel(int i) const;

private:
    void changed();

    Tsp_XYPlot& plot_;
    AxisSide side_;
    double min_ = 0, max_ = 10;
    int ticks_ = 5;
    int margin_ = 4;
    bool showLine_ = true;
    bool gridVisible_ = false;
    gui::Color lineColor_ = gui::colors::black;
    gui::Color gridColor_ = gui::colors::grey;
    int start_ = 0, length_ = 0;
};

}  // namespace editor
