// Turning plot values into pixel positions.
#pragma once

#include <cmath>

namespace editor {

constexpr int kPixelLimit = 16383;

// Nearest integer, ties to the even neighbour, held to ±16383 pixels (a NaN
// goes to the far positive end, outside every field).
inline int toPixel(double v) {
    if (std::isnan(v) || v >= kPixelLimit) return kPixelLimit;
    if (v <= -kPixelLimit) return -kPixelLimit;
    const double floor = std::floor(v);
    const double rest = v - floor;
    const int r = static_cast<int>(floor);
    return rest > 0.5 || (rest == 0.5 && (r & 1)) ? r + 1 : r;
}

}  // namespace editor
