// Paints one picture of an image list over a background colour and hosts
// child widgets, which are drawn over the picture.
#pragma once

#include "gui/ImageList.h"
#include "gui/Widget.h"

namespace gui {

enum class TileMethod {
    tmCenter,  // centred, not repeated
    tmTile,    // repeated from the top left corner
};

class TDIBImageContainer : public Widget {
public:
    void setImageList(const ImageList* list);
    int IndexImage() const { return indexImage_; }
    void setIndexImage(int index);
    TileMethod tileMethod() const { return tileMethod_; }
    void setTileMethod(TileMethod method);
    Color color() const { return color_; }
    void setColor(Color color);

    void paint(Canvas& canvas) override;

private:
    const ImageList* images_ = nullptr;
    int indexImage_ = -1;
    TileMethod tileMethod_ = TileMethod::tmCenter;
    Color color_ = colors::black;
};

}  // namespace gui
