// An indexed set of pictures (the artwork of a window).
#pragma once

#include <vector>

#include "gui/Image.h"

namespace gui {

class ImageList {
public:
    // Returns the index of the new image.
    int add(Image image) {
        images_.push_back(std::move(image));
        return static_cast<int>(images_.size()) - 1;
    }
    // Null for -1 and every other index that names no image.
    const Image* at(int index) const {
        if (index < 0 || index >= count()) return nullptr;
        return &images_[static_cast<size_t>(index)];
    }
    int count() const { return static_cast<int>(images_.size()); }

private:
    std::vector<Image> images_;
};

}  // namespace gui
