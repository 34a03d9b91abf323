// Fonts by the names the layout uses, rasterised from faces embedded in the
// library: Arial and MS Sans Serif are drawn with Liberation Sans, Comic Sans
// MS with Comic Neue.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/Color.h"

namespace gui {

enum class FontFamily { Arial, MSSansSerif, ComicSansMS };

// How a pixel size is meant: the character height (the em square, as a
// negative Windows font height) or the cell height (ascent plus descent).
enum class FontHeight { Character, Cell };

struct Font {
    FontFamily family = FontFamily::MSSansSerif;
    int size = 11;
    FontHeight heightKind = FontHeight::Character;
    bool bold = false;
    bool underline = false;
    Color color = colors::black;

    static Font character(FontFamily family, int size, Color color = colors::black) {
        return {family, size, FontHeight::Character, false, false, color};
    }
    static Font cell(FontFamily family, int size, Color color = colors::black) {
        return {family, size, FontHeight::Cell, false, false, color};
    }
    Font& setBold(bool on = true) {
        bold = on;
        return *this;
    }
    Font& setUnderline(bool on = true) {
        underline = on;
        return *this;
    }
    friend bool operator==(const Font&, const Font&) = default;
};

// One glyph's coverage (0..255) and its place relative to the pen on the baseline.
struct Glyph {
    int left = 0, top = 0, width = 0, height = 0;
    float advance = 0;
    std::vector<std::uint8_t> coverage;
};

// The metrics of a font at its size, in pixels.
struct FontMetrics {
    int ascent = 0;   // baseline below the top of the line
    int descent = 0;  // pixels below the baseline
    int height() const { return ascent + descent; }
};

FontMetrics metricsOf(const Font& font);
// The glyph of a Latin-1 character; stays valid for the life of the process.
const Glyph& glyphOf(const Font& font, unsigned char ch);
// Extra advance between two characters (kerning), in pixels.
float kerningOf(const Font& font, unsigned char left, unsigned char right);

}  // namespace gui
