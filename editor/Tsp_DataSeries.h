// The series of a plot: the base that ties a series to its plot and its
// repaint rules, and the XY base that stores the points.
#pragma once

#include <cstddef>
#include <memory>

#include "editor/PlotView.h"

namespace editor {

class Tsp_XYPlot;

class Tsp_DataSeries {
public:
    explicit Tsp_DataSeries(Tsp_XYPlot& plot) : plot_(&plot) {}
    virtual ~Tsp_DataSeries() = default;
    Tsp_DataSeries(const Tsp_DataSeries&) = delete;
    Tsp_DataSeries& operator=(const Tsp_DataSeries&) = delete;

    Tsp_XYPlot* Plot() const { return plot_; }
    bool Active() const { return active_; }
    void setActive(bool active);
    bool RepaintSuspended() const { return suspended_; }
    // A different value is stored and, when repainting is allowed again,
    // asks for a data repaint; the same value does nothing.
    void setRepaintSuspended(bool suspended);

    // Draws into the data layer (clipped to the field by the plot).
    virtual void draw(gui::Canvas& canvas, const PlotView& view) = 0;

    // For the plot that goes away first.
    void detach() { plot_ = nullptr; }

protected:
    // Asks the plot for a data repaint unless repainting is suspended.
    void requestRepaint();

private:
    Tsp_XYPlot* plot_;
    bool active_ = true;
    bool suspended_ = false;
};

struct PlotPoint {
    double x, y;
};

class Tsp_XYDataSeries : public Tsp_DataSeries {
public:
    static constexpr std::size_t kGrowth = 32;

    using Tsp_DataSeries::Tsp_DataSeries;

    // Removes all points but keeps the storage; asks for a data repaint when
    // an active series held points.
    void ClearPoints();
    // Appends a point and asks for a data repaint.
    void AddPoint(double x, double y);

    std::size_t Count() const { return count_; }
    std::size_t capacity() const { return capacity_; }
    const PlotPoint& point(std::size_t i) const { return points_[i]; }
    double MinX() const { return minX_; }
    double MaxX() const { return maxX_; }
    double MinY() const { return minY_; }
    double MaxY() const { return maxY_; }

protected:
    const PlotPoint* points() const { return points_.get(); }

private:
    std::unique_ptr<PlotPoint[]> points_;
    std::size_t count_ = 0, capacity_ = 0;
    double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
};

}  // namespace editor
