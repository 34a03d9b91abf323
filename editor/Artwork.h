// The editor's pictures, drawn by code at the sizes and with the
// transparencies of the window's image list.
#pragma once

#include "gui/ImageList.h"

namespace editor::artwork {

// 500 x height (310 in Zindra's window), opaque, with the name in its header.
gui::Image background(int height = 310, const char* name = "ZINDRA");
gui::Image leftCap();      // 16 x 18, white is transparent
gui::Image rightCap();     // 16 x 18, white is transparent
gui::Image track();        // 16 x 18, masked
gui::Image pointer();      // 34 x 18, black is transparent
gui::Image buttonFace();   // 106 x 32, opaque
gui::Image buttonClick();  // 102 x 28, opaque, one frame

// Fills an empty list with images 0 to 4: background (of the given height
// and name), left cap, right cap, track and pointer.
void fillImageList(gui::ImageList& list, int height = 310, const char* name = "ZINDRA");

}  // namespace editor::artwork
