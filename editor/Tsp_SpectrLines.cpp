#include "editor/Tsp_SpectrLines.h"

#include <algorithm>

#include "editor/Tsp_XYPlot.h"

namespace editor {

void Tsp_SpectrLines::setLineAttr(const LineAttr& attr) {
    lineAttr_ = attr;
    if (Plot()) Plot()->repaintData();
}

void Tsp_SpectrLines::setBaseYValue(double v) {
    if (v == baseY_) return;
    baseY_ = v;
    if (Plot()) Plot()->repaintData();
}

int Tsp_SpectrLines::baselineRow(const PlotView& view) const {
    const int bottomLine = view.field.bottom() - 1, topLine = view.field.y;
    const int row = view.y.pixelOf(baseY_);
    if (row > bottomLine) return bottomLine + 2;
    if (row < topLine) return topLine - 2;
    return row;
}

void Tsp_SpectrLines::draw(gui::Canvas& canvas, const PlotView& view) {
    if (!Active() || !lineAttr_.Visible || Count() == 0) return;
    if (MinX() > view.x.Max() || MaxX() < view.x.Min()) return;
    const int baseline = baselineRow(view);
    if (lineAttr_.Width <= 1)
        drawThin(canvas, view, baseline);
    else
        drawBars(canvas, view, baseline);
}

// Lines of one colour from a common baseline overlap: in each column only the
// highest line above and the lowest line below the baseline show. So the
// points are first reduced to those two ends per column and each column is
// filled once; the picture is the same as drawing every line in turn.
void Tsp_SpectrLines::drawThin(gui::Canvas& canvas, const PlotView& view, int baseline) {
    const int first = view.inside.x, last = view.inside.right() - 1;
    if (first > last) return;
    std::vector<int>& upFrom = view.columnTop;     // up-lines cover upFrom..baseline
    std::vector<int>& downTo = view.columnBottom;  // down-lines cover baseline+1..downTo
    std::fill(upFrom.begin() + first, upFrom.begin() + last + 1, baseline + 1);
    std::fill(downTo.begin() + first, downTo.begin() + last + 1, baseline);
    const PlotPoint* p = points();
    for (std::size_t i = 0, n = Count(); i < n; ++i) {
        const int column = view.x.pixelOf(p[i].x);
        if (column < first || column > last) continue;
        const int row = view.y.pixelOf(p[i].y);
        if (row < baseline)
            upFrom[column] = std::min(upFrom[column], row + 1);
        else if (row > baseline)
            downTo[column] = std::max(downTo[column], row);
    }
    const gui::Color color = lineAttr_.Color;
    for (int column = first; column <= last; ++column) {
        if (upFrom[column] <= baseline) canvas.vLine(column, upFrom[column], baseline + 1, color);
        if (downTo[column] > baseline)
            canvas.vLine(column, baseline + 1, downTo[column] + 1, color);
    }
}

void Tsp_SpectrLines::drawBars(gui::Canvas& canvas, const PlotView& view, int baseline) {
    const int w = lineAttr_.Width;
    const PlotPoint* p = points();
    for (std::size_t i = 0, n = Count(); i < n; ++i) {
        const int column = view.x.pixelOf(p[i].x);
        const int row = view.y.pixelOf(p[i].y);
        if (row == baseline) continue;
        const int top = std::min(row, baseline) - 1, bottom = std::max(row, baseline) + 1;
        canvas.fillRect({column - w / 2, top, w, bottom - top + 1}, lineAttr_.Color);
    }
}

}  // namespace editor
