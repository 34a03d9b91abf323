// One tick of the editor's spectrum display: both series cleared and refilled
// with 4097 points under suspended repainting, then the page painted and
// copied to the (offscreen) screen. Goal: well under 1 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "editor/Artwork.h"
#include "editor/Tsp_LineMarker.h"
#include "editor/Tsp_SpectrLines.h"
#include "editor/Tsp_XYPlot.h"
#include "gui/Form.h"
#include "gui/TDIBImageContainer.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "tests/support/PlotSpectrum.h"

namespace {

constexpr int kBins = 4097;

void SpectrumTick(benchmark::State& state) {
    auto owned = std::make_unique<platform::OffscreenWindow>(500, 310);
    platform::OffscreenWindow& window = *owned;
    gui::Form form(std::move(owned), 500, 310);
    gui::ImageList images;
    editor::artwork::fillImageList(images);
    auto& page = form.add<gui::TDIBImageContainer>();
    page.setBounds({0, 0, 500, 310});
    page.setImageList(&images);
    page.setIndexImage(0);

    auto& plot = page.add<editor::Tsp_XYPlot>();
    plot.setBounds({240, 64, 244, 140});
    plot.setColor(gui::hex(0xDBE3DB));
    plot.setFieldColor(gui::hex(0x525B6F));
    plot.LeftAxis.setMin(-70);
    plot.LeftAxis.setMax(10);
    plot.LeftAxis.setTicksCount(9);
    plot.LeftAxis.setGridVisible(true);
    plot.BottomAxis.setMax(4096);
    plot.BottomAxis.setTicksCount(21);
    plot.BottomAxis.setGridVisible(true);
    auto& left = plot.addSeries<editor::Tsp_SpectrLines>();
    left.setLineAttr({gui::hex(0xCF45A6), 1, true});
    left.setBaseYValue(-70);
    auto& right = plot.addSeries<editor::Tsp_SpectrLines>();
    right.setLineAttr({gui::hex(0xAFD713), 1, true});
    right.setBaseYValue(-70);
    for (double at : {400.0, 1200.0}) {
        auto& marker = plot.addMarker<editor::Tsp_LineMarker>();
        marker.setPen({gui::colors::fuchsia, 1, gui::PenStyle::DashDot});
        marker.setPosition(at);
    }

    const PlotSpectrum levels = plotSpectrum(kBins);
    const std::vector<double>& a = levels.left;
    const std::vector<double>& b = levels.right;
    window.paintPending();

    for (auto _ : state) {
        left.ClearPoints();
        right.ClearPoints();
        left.setRepaintSuspended(true);
        right.setRepaintSuspended(true);
        for (int i = 0; i < kBins; ++i) {
            left.AddPoint(i, a[i]);
            right.AddPoint(i, b[i]);
        }
        left.setRepaintSuspended(false);
        right.setRepaintSuspended(false);
        window.paintPending();
        benchmark::DoNotOptimize(window.screenPixel(300, 100));
    }
    state.counters["dataLayers"] = plot.counters().dataLayers;
}
BENCHMARK(SpectrumTick)->Unit(benchmark::kMicrosecond);

}  // namespace
