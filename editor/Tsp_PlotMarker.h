// A mark drawn in a plot's field before or after the series.
#pragma once

#include "editor/PlotView.h"

namespace editor {

class Tsp_XYPlot;

enum class WhenDraw { dmBeforeSeries, dmAfterSeries };

class Tsp_PlotMarker {
public:
    explicit Tsp_PlotMarker(Tsp_XYPlot& plot) : plot_(&plot) {}
    virtual ~Tsp_PlotMarker() = default;
    Tsp_PlotMarker(const Tsp_PlotMarker&) = delete;
    Tsp_PlotMarker& operator=(const Tsp_PlotMarker&) = delete;

    Tsp_XYPlot* Plot() const { return plot_; }
    WhenDraw whenDraw() const { return whenDraw_; }
    void setWhenDraw(WhenDraw when);
    bool Visible() const { return visible_; }
    void setVisible(bool visible);

    virtual void draw(gui::Canvas& canvas, const PlotView& view) = 0;
    void detach() { plot_ = nullptr; }

protected:
    void requestRepaint();

private:
    Tsp_XYPlot* plot_;
    WhenDraw whenDraw_ = WhenDraw::dmAfterSeries;
    bool visible_ = true;
};

}  // namespace editor
