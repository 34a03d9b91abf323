// Canvas primitives: clipping, transparency rules, tiling, dash-dot lines.
#include <gtest/gtest.h>

#include <string>

#include "gui/Canvas.h"

namespace {

using gui::Bitmap;
using gui::Canvas;
using gui::Image;
using gui::Transparency;

constexpr gui::Color kBack = gui::hex(0x102030);
constexpr gui::Color kRed = gui::hex(0xFF0000);

Image twoTone(Transparency rule) {
    Image img{Bitmap(4, 1, kRed), rule, gui::colors::white};
    img.bitmap.at(1, 0) = gui::colors::white;
    img.bitmap.at(2, 0) = 0x00FF0000u;  // alpha 0
    return img;
}

TEST(Canvas, TransparencyRulesOfImages) {
    for (auto [rule, shown] :
         {std::pair{Transparency::Opaque, 4}, std::pair{Transparency::ColorKey, 3},
          std::pair{Transparency::Mask, 3}}) {
        Bitmap target(4, 1, kBack);
        Canvas canvas(target);
        canvas.drawImage(twoTone(rule), 0, 0);
        int changed = 0;
        for (int x = 0; x < 4; ++x) changed += target.at(x, 0) != kBack;
        EXPECT_EQ(changed, shown);
        EXPECT_EQ(target.at(0, 0), kRed);
    }
}

TEST(Canvas, OriginAndClipBoundEveryPrimitive) {
    Bitmap target(20, 20, kBack);
    Canvas canvas(target);
    canvas.setOrigin({5, 5});
    canvas.intersectClip({0, 0, 4, 4});
    canvas.fillRect({-10, -10, 100, 100}, kRed);
    canvas.line({-5, 2}, {30, 2}, {kRed, 3, gui::PenStyle::Solid});
    canvas.drawImage(Image{Bitmap(10, 10, kRed), Transparency::Opaque, 0}, -3, -3);
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 9 && y >= 5 && y < 9;
            red += target.at(x, y) == kRed;
            if (!inside) {
                ASSERT_EQ(target.at(x, y), kBack) << x << "," << y;
            }
        }
    EXPECT_EQ(red, 16);
}

TEST(Canvas, TilingRepeatsAndCutsAtTheEdge) {
    Bitmap target(10, 3, kBack);
    Canvas canvas(target);
    Image tile{Bitmap(3, 1, kRed), Transparency::Opaque, 0};
    tile.bitmap.at(0, 0) = gui::colors::white;
    canvas.tileImage(tile, {1, 1, 7, 1});
    EXPECT_EQ(target.at(0, 1), kBack);
    EXPECT_EQ(target.at(1, 1), gui::colors::white);
    EXPECT_EQ(target.at(4, 1), gui::colors::white);
    EXPECT_EQ(target.at(7, 1), gui::colors::white);
    EXPECT_EQ(target.at(8, 1), kBack);
    EXPECT_EQ(target.at(4, 0), kBack);
}

TEST(Canvas, DashDotLineAlternatesDashAndDot) {
    Bitmap target(1, 40, kBack);
    Canvas canvas(target);
    canvas.line({0, 0}, {0, 39}, {kRed, 1, gui::PenStyle::DashDot});
    std::string pattern;
    for (int y = 0; y < 18; ++y) pattern += target.at(0, y) == kRed ? '#' : '.';
    EXPECT_EQ(pattern, "#########...###...");
    EXPECT_EQ(target.at(0, 18), kRed);  // and again
}

TEST(Canvas, LoweredAndRaisedFrames) {
    Bitmap target(6, 6, kBack);
    Canvas canvas(target);
    canvas.bevel({0, 0, 6, 6}, gui::BevelStyle::Lowered);
    EXPECT_EQ(target.at(0, 3), gui::colors::buttonShadow);
    EXPECT_EQ(target.at(3, 0), gui::colors::buttonShadow);
    EXPECT_EQ(target.at(5, 3), gui::colors::buttonHighlight);
    EXPECT_EQ(target.at(3, 5), gui::colors::buttonHighlight);
    EXPECT_EQ(target.at(2, 2), kBack);
    canvas.bevel({0, 0, 6, 6}, gui::BevelStyle::Raised, 2);
    EXPECT_EQ(target.at(1, 3), gui::colors::buttonHighlight);
    EXPECT_EQ(target.at(4, 3), gui::colors::buttonShadow);
}

}  // namespace
