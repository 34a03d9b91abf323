#include "gui/TDIBImageContainer.h"

namespace gui {

void TDIBImageContainer::setImageList(const ImageList* list) {
    images_ = list;
    invalidate();
}

void TDIBImageContainer::setIndexImage(int index) {
    if (index == indexImage_) return;
    indexImage_ = index;
    invalidate();
}

void TDIBImageContainer::setTileMethod(TileMethod method) {
    if (method == tileMethod_) return;
    tileMethod_ = method;
    invalidate();
}

void TDIBImageContainer::setColor(Color color) {
    if (color == color_) return;
    color_ = color;
    invalidate();
}

void TDIBImageContainer::paint(Canvas& canvas) {
    const Image* image = images_ ? images_->at(indexImage_) : nullptr;
    const bool covered = image && image->transparency == Transparency::Opaque &&
                         (tileMethod_ == TileMethod::tmTile ||
                          (image->width() >= width() && image->height() >= height()));
    if (!covered) canvas.fillRect(localRect(), color_);
    if (!image) return;
    if (tileMethod_ == TileMethod::tmCenter)
        canvas.drawImageCentered(*image, localRect());
    else
        canvas.tileImage(*image, localRect());
}

}  // namespace gui
