// The spectrum display: a field bounded by four axes, with grid lines, the
// series drawn in the order they were added and line markers over them.
// With BufferedDisplay it paints in three cached layers (layout, frame and
// axes, data) into an image of its own and copies that to the screen at once.
#pragma once

#include <memory>
#include <vector>

#include "editor/Tsp_Axis.h"
#include "editor/Tsp_DataSeries.h"
#include "editor/Tsp_PlotMarker.h"
#include "gui/Font.h"
#include "gui/Widget.h"

namespace editor {

enum class BorderStyle { bs_None, bs_Lowered, bs_Raised };

class Tsp_XYPlot : public gui::Widget {
public:
    Tsp_XYPlot();
    ~Tsp_XYPlot() override;

    Tsp_Axis LeftAxis{*this, AxisSide::Left};
    Tsp_Axis BottomAxis{*this, AxisSide::Bottom};
    Tsp_Axis RightAxis{*this, AxisSide::Right};
    Tsp_Axis TopAxis{*this, AxisSide::Top};

    gui::Color Color() const { return color_; }
    void setColor(gui::Color color);
    gui::Color FieldColor() const { return fieldColor_; }
    void setFieldColor(gui::Color color);
    editor::BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(editor::BorderStyle style);
    bool BufferedDisplay() const { return buffered_; }
    void setBufferedDisplay(bool on);
    const gui::Font& Font() const { return font_; }
    void setFont(const gui::Font& font);

    // Series and markers belong to the plot and are drawn in the order added.
    template <class T>
    T& addSeries() {
        series_.push_back(std::make_unique<T>(*this));
        repaintData();
        return static_cast<T&>(*series_.back());
    }
    template <class T>
    T& addMarker() {
        markers_.push_back(std::make_unique<T>(*this));
        repaintData();
        return static_cast<T&>(*markers_.back());
    }

    // Marks only the data layer out of date and asks for a paint.
    void repaintData();
    // Marks all three layers out of date and asks for a paint.
    void repaintAll();
    // The layout too (margins, size, font).
    void relayout();

    // The field bounded by the axis lines (lines included), after layout.
    gui::Rect field() const { return field_; }

    // How often each layer was built, for tests.
    struct Counters {
        int layouts = 0, frames = 0, dataLayers = 0, copies = 0;
    };
    const Counters& counters() const { return counters_; }

    void paint(gui::Canvas& canvas) override;

protected:
    void resized() override { relayout(); }

private:
    void layout();
    void drawFrame(gui::Canvas& canvas);
    void drawData(gui::Canvas& canvas);
    void drawBorder(gui::Canvas& canvas);
    void drawGrid(gui::Canvas& canvas, const Tsp_Axis& axis);

    gui::Color color_ = gui::colors::buttonFace;
    gui::Color fieldColor_ = gui::colors::white;
    editor::BorderStyle border_ = editor::BorderStyle::bs_Lowered;
    bool buffered_ = true;
    gui::Font font_;
    std::vector<std::unique_ptr<Tsp_DataSeries>> series_;
    std::vector<std::unique_ptr<Tsp_PlotMarker>> markers_;

    gui::Bitmap buffer_;
    bool layoutValid_ = false, frameValid_ = false, dataValid_ = false;
    gui::Rect field_;
    int digitWidth_ = 0, fontHeight_ = 0;
    std::vector<int> columnTop_, columnBottom_;
    Counters counters_;
};

}  // namespace editor
