// Colours are 32-bit 0xAARRGGBB values; alpha is 0xFF for opaque pixels.
#pragma once

#include <cstdint>

namespace gui {

using Color = std::uint32_t;

constexpr Color rgb(unsigned r, unsigned g, unsigned b) {
    return 0xFF000000u | (r & 0xFFu) << 16 | (g & 0xFFu) << 8 | (b & 0xFFu);
}
// From the 0xRRGGBB notation of the layout tables.
constexpr Color hex(std::uint32_t rrggbb) { return 0xFF000000u | (rrggbb & 0xFFFFFFu); }

constexpr unsigned redOf(Color c) { return (c >> 16) & 0xFFu; }
constexpr unsigned greenOf(Color c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blueOf(Color c) { return c & 0xFFu; }
constexpr unsigned alphaOf(Color c) { return c >> 24; }

// `over` laid on `under` with coverage 0..255.
constexpr Color blend(Color under, Color over, unsigned coverage) {
    const unsigned inv = 255 - coverage;
    const unsigned r = (redOf(over) * coverage + redOf(under) * inv + 127) / 255;
    const unsigned g = (greenOf(over) * coverage + greenOf(under) * inv + 127) / 255;
    const unsigned b = (blueOf(over) * coverage + blueOf(under) * inv + 127) / 255;
    return rgb(r, g, b);
}

namespace colors {
constexpr Color black = hex(0x000000);
constexpr Color white = hex(0xFFFFFF);
constexpr Color grey = hex(0x808080);
constexpr Color green = hex(0x008000);
constexpr Color lime = hex(0x00FF00);
constexpr Color maroon = hex(0x800000);
constexpr Color fuchsia = hex(0xFF00FF);
constexpr Color blue = hex(0x0000FF);
// The system's standard 3-D colours.
constexpr Color buttonFace = hex(0xD4D0C8);
constexpr Color buttonShadow = hex(0x808080);
constexpr Color buttonHighlight = hex(0xFFFFFF);
constexpr Color buttonDarkShadow = hex(0x404040);
constexpr Color hyperlink = hex(0x0066CC);
}  // namespace colors

}  // namespace gui
