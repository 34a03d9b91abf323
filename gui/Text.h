// Lines of text in a rectangle: alignment, vertical centring, word wrap.
#pragma once

#include <string_view>

#include "gui/Canvas.h"
#include "gui/Font.h"

namespace gui {

enum class HAlign { Left, Center, Right };

struct TextFormat {
    HAlign align = HAlign::Left;
    bool verticalCenter = false;
    bool wordWrap = false;
};

// Width in pixels of one line of text.
int textWidth(const Font& font, std::string_view text);

// Draws `text` inside `box` in the font's colour (or `color` when given).
// Line breaks in the text start new lines; with wordWrap, lines also break
// between words to fit the box's width.
void drawText(Canvas& canvas, const Rect& box, std::string_view text, const Font& font,
              TextFormat format);
void drawText(Canvas& canvas, const Rect& box, std::string_view text, const Font& font,
              TextFormat format, Color color);

}  // namespace gui
