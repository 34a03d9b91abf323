// The controls as the editor's main page places them, on the offscreen
// back-end: shared by the snapshots and the tests that look at the whole.
#pragma once

#include <array>
#include <memory>

#include "editor/TDIBSlider.h"
#include "editor/TGlintButton.h"
#include "editor/Tsp_LineMarker.h"
#include "editor/Tsp_SpectrLines.h"
#include "editor/Tsp_XYPlot.h"
#include "gui/Form.h"
#include "gui/ImageList.h"
#include "gui/Label.h"
#include "gui/TDIBImageContainer.h"
#include "platform/offscreen/OffscreenWindow.h"

namespace showcase {

// A plot configured as the editor's spectrum display, 244 x 140.
struct SpectrumPlot {
    editor::Tsp_XYPlot* plot = nullptr;
    editor::Tsp_SpectrLines* left = nullptr;
    editor::Tsp_SpectrLines* right = nullptr;
    editor::Tsp_LineMarker* low = nullptr;
    editor::Tsp_LineMarker* high = nullptr;
};
SpectrumPlot addSpectrumPlot(gui::Widget& parent, int x, int y);

// Fills both series with a made-up spectrum of `bins` bins (a voice in the
// centre over a falling noise floor) the way the editor does every tick.
void fillTestSpectrum(const SpectrumPlot& p, int bins);

editor::TDIBSlider& addSlider(gui::Widget& parent, const gui::ImageList& images, int x, int y,
                              int max);
editor::TGlintButton& addSwitch(gui::Widget& parent, int x, int y, const char* caption);

struct MainPage {
    platform::OffscreenWindow* window = nullptr;
    std::unique_ptr<gui::Form> form;
    gui::ImageList images;
    std::array<editor::TDIBSlider*, 5> sliders{};
    std::array<editor::TGlintButton*, 4> switches{};
    SpectrumPlot spectrum;
};
// A 500 x 310 page with five sliders and their labels, the plot and four switches.
std::unique_ptr<MainPage> buildMainPage();

}  // namespace showcase
