#include "editor/Tsp_DataSeries.h"

#include <algorithm>

#include "editor/Tsp_XYPlot.h"

namespace editor {

void Tsp_DataSeries::setActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (plot_) plot_->repaintData();
}

void Tsp_DataSeries::setRepaintSuspended(bool suspended) {
    if (suspended == suspended_) return;
    suspended_ = suspended;
    if (!suspended_ && plot_) plot_->repaintData();
}

void Tsp_DataSeries::requestRepaint() {
    if (!suspended_ && plot_) plot_->repaintData();
}

void Tsp_XYDataSeries::ClearPoints() {
    const bool held = count_ > 0;
    count_ = 0;
    minX_ = maxX_ = minY_ = maxY_ = 0;
    if (held && Active()) requestRepaint();
}

void Tsp_XYDataSeries::AddPoint(double x, double y) {
    if (count_ == capacity_) {
        auto bigger = std::make_unique<PlotPoint[]>(capacity_ + kGrowth);
        std::copy(points_.get(), points_.get() + count_, bigger.get());
        points_ = std::move(bigger);
        capacity_ += kGrowth;
    }
    points_[count_++] = {x, y};
    if (count_ == 1) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
    } else {
        minX_ = std::min(minX_, x);
        maxX_ = std::max(maxX_, x);
        minY_ = std::min(minY_, y);
        maxY_ = std::max(maxY_, y);
    }
    requestRepaint();
}

}  // namespace editor
