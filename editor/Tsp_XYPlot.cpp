#include "editor/Tsp_XYPlot.h"

#include <new>

#include "gui/Text.h"

namespace editor {

using gui::Rect;

Tsp_XYPlot::Tsp_XYPlot() {
    font_ = gui::Font::character(gui::FontFamily::MSSansSerif, 11);
    BottomAxis.setMargin(3);
}

Tsp_XYPlot::~Tsp_XYPlot() {
    for (auto& s : series_) s->detach();
    for (auto& m : markers_) m->detach();
}

void Tsp_XYPlot::setColor(gui::Color color) {
    if (color == color_) return;
    color_ = color;
    repaintAll();
}

void Tsp_XYPlot::setFieldColor(gui::Color color) {
    if (color == fieldColor_) return;
    fieldColor_ = color;
    repaintData();
}

void Tsp_XYPlot::setBorderStyle(editor::BorderStyle style) {
    if (style == border_) return;
    border_ = style;
    repaintAll();
}

void Tsp_XYPlot::setBufferedDisplay(bool on) {
    if (on == buffered_) return;
    buffered_ = on;
    repaintAll();
}

void Tsp_XYPlot::setFont(const gui::Font& font) {
    if (font == font_) return;
    font_ = font;
    relayout();
}

void Tsp_XYPlot::repaintData() {
    dataValid_ = false;
    invalidate();
}

void Tsp_XYPlot::repaintAll() {
    frameValid_ = dataValid_ = false;
    invalidate();
}

void Tsp_XYPlot::relayout() {
    layoutValid_ = false;
    repaintAll();
}

// The axis lines sit their margins in from the edges; tick labels and axis
// captions, which would need room measured in the font, are not shown.
void Tsp_XYPlot::layout() {
    ++counters_.layouts;
    digitWidth_ = gui::textWidth(font_, "0");
    fontHeight_ = gui::metricsOf(font_).height();
    const int left = LeftAxis.Margin(), right = width() - 1 - RightAxis.Margin();
    const int top = TopAxis.Margin(), bottom = height() - 1 - BottomAxis.Margin();
    field_ = {left, top, right - left + 1, bottom - top + 1};
    BottomAxis.place(left, right - left);
    TopAxis.place(left, right - left);
    LeftAxis.place(bottom, -(bottom - top));
    RightAxis.place(bottom, -(bottom - top));
    columnTop_.assign(static_cast<size_t>(std::max(width(), 0)), 0);
    columnBottom_.assign(static_cast<size_t>(std::max(width(), 0)), 0);
    layoutValid_ = true;
}

void Tsp_XYPlot::drawBorder(gui::Canvas& canvas) {
    if (border_ == editor::BorderStyle::bs_None) return;
    const bool lowered = border_ == editor::BorderStyle::bs_Lowered;
    canvas.frame3D(localRect(), lowered ? gui::colors::buttonShadow : gui::colors::buttonHighlight,
                   lowered ? gui::colors::buttonHighlight : gui::colors::buttonShadow);
}

void Tsp_XYPlot::drawFrame(gui::Canvas& canvas) {
    ++counters_.frames;
    canvas.fillRect(localRect(), color_);
    const int left = field_.x, right = field_.right() - 1;
    const int top = field_.y, bottom = field_.bottom() - 1;
    // Ticks point outwards from the lines, as long as the margin allows.
    auto tickLength = [](const Tsp_Axis& a) { return std::clamp(a.Margin() - 1, 0, 3); };
    if (LeftAxis.ShowLine()) {
        canvas.vLine(left, top, bottom + 1, LeftAxis.LineColor());
        for (int i = 0; i < LeftAxis.TicksCount(); ++i)
            canvas.hLine(left - tickLength(LeftAxis), left, LeftAxis.tickPixel(i),
                         LeftAxis.LineColor());
    }
    if (RightAxis.ShowLine()) {
        canvas.vLine(right, top, bottom + 1, RightAxis.LineColor());
        for (int i = 0; i < RightAxis.TicksCount(); ++i)
            canvas.hLine(right + 1, right + 1 + tickLength(RightAxis), RightAxis.tickPixel(i),
                         RightAxis.LineColor());
    }
    if (TopAxis.ShowLine()) {
        canvas.hLine(left, right + 1, top, TopAxis.LineColor());
        for (int i = 0; i < TopAxis.TicksCount(); ++i)
            canvas.vLine(TopAxis.tickPixel(i), top - tickLength(TopAxis), top, TopAxis.LineColor());
    }
    if (BottomAxis.ShowLine()) {
        canvas.hLine(left, right + 1, bottom, BottomAxis.LineColor());
        for (int i = 0; i < BottomAxis.TicksCount(); ++i)
            canvas.vLine(BottomAxis.tickPixel(i), bottom + 1, bottom + 1 + tickLength(BottomAxis),
                         BottomAxis.LineColor());
    }
    drawBorder(canvas);
}

void Tsp_XYPlot::drawGrid(gui::Canvas& canvas, const Tsp_Axis& axis) {
    if (!axis.GridVisible()) return;
    for (int i = 0; i < axis.TicksCount(); ++i) {
        const int at = axis.tickPixel(i);
        if (axis.vertical())
            canvas.hLine(field_.x, field_.right(), at, axis.GridColor());
        else
            canvas.vLine(at, field_.y, field_.bottom(), axis.GridColor());
    }
}

void Tsp_XYPlot::drawData(gui::Canvas& canvas) {
    ++counters_.dataLayers;
    const Rect inside = field_.inflated(-1);
    gui::Canvas::Scope scope(canvas);
    canvas.intersectClip(inside);
    canvas.fillRect(inside, fieldColor_);
    drawGrid(canvas, LeftAxis);
    drawGrid(canvas, BottomAxis);
    drawGrid(canvas, RightAxis);
    drawGrid(canvas, TopAxis);
    const PlotView view{BottomAxis, LeftAxis, field_, inside, columnTop_, columnBottom_};
    for (auto& m : markers_)
        if (m->whenDraw() == WhenDraw::dmBeforeSeries) m->draw(canvas, view);
    for (auto& s : series_) s->draw(canvas, view);
    for (auto& m : markers_)
        if (m->whenDraw() == WhenDraw::dmAfterSeries) m->draw(canvas, view);
}

void Tsp_XYPlot::paint(gui::Canvas& canvas) {
    bool direct = !buffered_;
    if (!direct && (buffer_.width() != width() || buffer_.height() != height())) {
        layoutValid_ = frameValid_ = dataValid_ = false;
        try {
            buffer_.resize(width(), height());
        } catch (const std::bad_alloc&) {
            buffer_ = gui::Bitmap();
            direct = true;
        }
    }
    if (!layoutValid_) layout();
    if (direct) {
        // Without an image of its own the plot draws every layer on the screen.
        drawFrame(canvas);
        drawData(canvas);
        drawBorder(canvas);
        frameValid_ = dataValid_ = false;
        return;
    }
    gui::Canvas image(buffer_);
    if (!frameValid_) {
        drawFrame(image);
        frameValid_ = true;
        dataValid_ = false;
    }
    if (!dataValid_) {
        drawData(image);
        dataValid_ = true;
    }
    drawBorder(image);
    canvas.copyBitmap(buffer_, 0, 0);
    ++counters_.copies;
}

}  // namespace editor
