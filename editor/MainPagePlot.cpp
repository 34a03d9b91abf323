#include "editor/MainPagePlot.h"

#include "gui/Font.h"

namespace editor {
namespace {

using gui::Font;
using gui::FontFamily;
using gui::hex;

constexpr gui::Color kPlotColor = hex(0xDBE3DB);
constexpr gui::Color kFieldColor = hex(0x525B6F);
constexpr gui::Color kLeftChannel = hex(0xCF45A6);
constexpr gui::Color kRightChannel = hex(0xAFD713);

void configurePlot(Tsp_XYPlot& plot) {
    plot.setColor(kPlotColor);
    plot.setFieldColor(kFieldColor);
    plot.setBorderStyle(BorderStyle::bs_Lowered);
    plot.setBufferedDisplay(true);
    plot.setFont(Font::character(FontFamily::MSSansSerif, 11));
    struct AxisSetup {
        Tsp_Axis& axis;
        double min, max;
        int ticks, margin;
        bool grid;
    };
    for (const AxisSetup& a : {AxisSetup{plot.LeftAxis, -70, 10, 9, 4, true},
                               AxisSetup{plot.BottomAxis, 0, 2047, 21, 3, true},
                               AxisSetup{plot.RightAxis, 0, 10, 5, 4, false},
                               AxisSetup{plot.TopAxis, 0, 10, 5, 4, false}}) {
        a.axis.setMin(a.min);
        a.axis.setMax(a.max);
        a.axis.setTicksCount(a.ticks);
        a.axis.setMargin(a.margin);
        a.axis.setShowLine(true);
        a.axis.setLineColor(gui::colors::black);
        a.axis.setGridColor(gui::colors::grey);
        a.axis.setGridVisible(a.grid);
    }
}

Tsp_SpectrLines& addSpectrum(Tsp_XYPlot& plot, gui::Color color) {
    auto& series = plot.addSeries<Tsp_SpectrLines>();
    series.setLineAttr({color, 1, true});
    series.setBaseYValue(-70);
    series.yOrigin = YOrigin::yoBaseLine;
    series.ShowBaseLine = false;
    series.ShowLabel = false;
    return series;
}

Tsp_LineMarker& addBandMarker(Tsp_XYPlot& plot) {
    auto& marker = plot.addMarker<Tsp_LineMarker>();
    marker.setWhenDraw(WhenDraw::dmAfterSeries);
    marker.setPen({gui::colors::fuchsia, 1, gui::PenStyle::DashDot});
    marker.setOrientation(LineOrientation::loVertical);
    marker.setVisible(true);
    return marker;
}

}  // namespace

MainPagePlot addMainPagePlot(gui::Widget& page) {
    auto& plot = page.add<Tsp_XYPlot>();
    plot.setBounds({240, 64, 244, 140});
    configurePlot(plot);
    return MainPagePlot{plot, addSpectrum(plot, kLeftChannel), addSpectrum(plot, kRightChannel),
                        addBandMarker(plot), addBandMarker(plot)};
}

}  // namespace editor
