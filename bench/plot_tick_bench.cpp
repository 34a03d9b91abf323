// One tick of the editor's spectrum display, built as the editor builds it:
// both series cleared and refilled with 4097 points under suspended
// repainting, then the page painted and copied to the (offscreen) screen.
// Goal: well under 1 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "editor/Artwork.h"
#include "editor/MainPagePlot.h"
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

    const editor::MainPagePlot spectrum = editor::addMainPagePlot(page);
    editor::Tsp_SpectrLines& left = spectrum.left;
    editor::Tsp_SpectrLines& right = spectrum.right;
    // What the editor session sets from the engine's display values.
    spectrum.plot.BottomAxis.setMax(kBins - 1);
    spectrum.bandLow.setPosition(400);
    spectrum.bandHigh.setPosition(1200);

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
    state.counters["dataLayers"] = spectrum.plot.counters().dataLayers;
}
BENCHMARK(SpectrumTick)->Unit(benchmark::kMicrosecond);

}  // namespace
