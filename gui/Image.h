// A picture of the image list with its rule of transparency.
#pragma once

#include "gui/Bitmap.h"

namespace gui {

enum class Transparency {
    Opaque,    // every pixel is drawn
    ColorKey,  // pixels equal to the key colour are not drawn
    Mask,      // pixels whose alpha is 0 are not drawn
};

struct Image {
    Bitmap bitmap;
    Transparency transparency = Transparency::Opaque;
    Color key = colors::white;

    int width() const { return bitmap.width(); }
    int height() const { return bitmap.height(); }
    bool shows(Color pixel) const {
        switch (transparency) {
            case Transparency::ColorKey: return (pixel | 0xFF000000u) != (key | 0xFF000000u);
            case Transparency::Mask: return alphaOf(pixel) != 0;
            case Transparency::Opaque: break;
        }
        return true;
    }
};

}  // namespace gui
