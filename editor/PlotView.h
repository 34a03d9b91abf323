// What a series or marker needs to draw itself into a plot's data layer.
#pragma once

#include <vector>

#include "editor/Tsp_Axis.h"
#include "gui/Canvas.h"

namespace editor {

struct PlotView {
    const Tsp_Axis& x;  // the bottom axis
    const Tsp_Axis& y;  // the left axis
    gui::Rect field;    // the rectangle bounded by the four axis lines, lines included
    gui::Rect inside;   // the part of the field between the lines: the data clip
    // Scratch per plot column, kept by the plot so that drawing allocates nothing.
    std::vector<int>& columnTop;
    std::vector<int>& columnBottom;
};

}  // namespace editor
