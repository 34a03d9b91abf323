// The plot on the editor's main page: its axes, the left and right channels'
// magnitudes and the markers of the band's ends. The editor and the plot
// benchmark build it here alike.
#pragma once

#include "editor/Tsp_LineMarker.h"
#include "editor/Tsp_SpectrLines.h"
#include "editor/Tsp_XYPlot.h"
#include "gui/Widget.h"

namespace editor {

struct MainPagePlot {
    Tsp_XYPlot& plot;
    Tsp_SpectrLines& left;
    Tsp_SpectrLines& right;
    Tsp_LineMarker& bandLow;
    Tsp_LineMarker& bandHigh;
};

// Adds the display to `page` (the main page's image container), in its place there.
MainPagePlot addMainPagePlot(gui::Widget& page);

}  // namespace editor
