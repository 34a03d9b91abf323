#include "gui/Text.h"

#include <cmath>
#include <vector>

namespace gui {
namespace {

void drawLine(Canvas& canvas, int x, int baseline, std::string_view text, const Font& font,
              Color color) {
    float pen = static_cast<float>(x);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        const Glyph& glyph = glyphOf(font, ch);
        const int gx = static_cast<int>(std::lround(pen)) + glyph.left;
        const int gy = baseline + glyph.top;
        for (int row = 0; row < glyph.height; ++row)
            for (int col = 0; col < glyph.width; ++col) {
                const unsigned coverage =
                    glyph.coverage[static_cast<size_t>(row * glyph.width + col)];
                if (coverage) canvas.blendPixel(gx + col, gy + row, color, coverage);
            }
        pen += glyph.advance;
        if (i + 1 < text.size())
            pen += kerningOf(font, ch, static_cast<unsigned char>(text[i + 1]));
    }
    if (font.underline) {
        const int thickness = std::max(1, font.size / 14);
        const int width = textWidth(font, text);
        canvas.fillRect({x, baseline + std::max(1, font.size / 9), width, thickness}, color);
    }
}

// Splits the text into the lines it is drawn in.
std::vector<std::string_view> layoutLines(std::string_view text, const Font& font, int width,
                                          bool wordWrap) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        while (wordWrap && textWidth(font, paragraph) > width) {
            // Break after the last blank that keeps the line inside the width;
            // a single word too wide for the box stays whole on its line.
            size_t cut = std::string_view::npos;
            for (size_t blank = paragraph.find(' '); blank != std::string_view::npos;
                 blank = paragraph.find(' ', blank + 1)) {
                if (textWidth(font, paragraph.substr(0, blank)) > width) break;
                cut = blank;
            }
            if (cut == std::string_view::npos) cut = paragraph.find(' ');
            if (cut == std::string_view::npos) break;
            lines.push_back(paragraph.substr(0, cut));
            paragraph.remove_prefix(cut + 1);
        }
        lines.push_back(paragraph);
        start = end + 1;
    }
    return lines;
}

}  // namespace

int textWidth(const Font& font, std::string_view text) {
    float width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        width += glyphOf(font, ch).advance;
        if (i + 1 < text.size())
            width += kerningOf(font, ch, static_cast<unsigned char>(text[i + 1]));
    }
    return static_cast<int>(std::lround(width));
}

void drawText(Canvas& canvas, const Rect& box, std::string_view text, const Font& font,
              TextFormat format) {
    drawText(canvas, box, text, font, format, font.color);
}

void drawText(Canvas& canvas, const Rect& box, std::string_view text, const Font& font,
              TextFormat format, Color color) {
    const FontMetrics metrics = metricsOf(font);
    const std::vector<std::string_view> lines = layoutLines(text, font, box.width, format.wordWrap);
    const int lineHeight = metrics.height();
    const int blockHeight = lineHeight * static_cast<int>(lines.size());
    int top = format.verticalCenter ? box.y + (box.height - blockHeight) / 2 : box.y;
    for (std::string_view line : lines) {
        int x = box.x;
        if (format.align != HAlign::Left) {
            const int free = box.width - textWidth(font, line);
            x += format.align == HAlign::Center ? free / 2 : free;
        }
        drawLine(canvas, x, top + metrics.ascent, line, font, color);
        top += lineHeight;
    }
}

}  // namespace gui
