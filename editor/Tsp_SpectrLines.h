// A series drawn as one vertical line per point, rising from (or falling to)
// a baseline: the spectrum of one channel.
#pragma once

#include <string>

#include "editor/Tsp_DataSeries.h"

namespace editor {

struct LineAttr {
    gui::Color Color = gui::colors::black;
    int Width = 1;
    bool Visible = true;
};

enum class YOrigin { yoBaseLine, yoXAxises };
enum class LabelValues { wvXValues, wvYValues };

class Tsp_SpectrLines : public Tsp_XYDataSeries {
public:
    using Tsp_XYDataSeries::Tsp_XYDataSeries;

    const LineAttr& lineAttr() const { return lineAttr_; }
    void setLineAttr(const LineAttr& attr);
    double BaseYValue() const { return baseY_; }
    void setBaseYValue(double v);
    YOrigin yOrigin = YOrigin::yoBaseLine;
    bool ShowBaseLine = false;
    // Labels are not drawn; the settings are kept.
    bool ShowLabel = false;
    LabelValues labelValues = LabelValues::wvXValues;
    std::string LabelFormat = "###0.##";

    // The baseline row in plot pixels: the pixel of BaseYValue, held to two
    // pixels beyond the bottom or top axis line.
    int baselineRow(const PlotView& view) const;

    void draw(gui::Canvas& canvas, const PlotView& view) override;

private:
    void drawThin(gui::Canvas& canvas, const PlotView& view, int baseline);
    void drawBars(gui::Canvas& canvas, const PlotView& view, int baseline);

    LineAttr lineAttr_;
    double baseY_ = 0;
};

}  // namespace editor
