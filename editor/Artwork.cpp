#include "editor/Artwork.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gui/Text.h"

namespace editor::artwork {
namespace {

using gui::Bitmap;
using gui::Color;
using gui::Image;
using gui::Transparency;

// The page's body colour, which antialiased edges of the slider parts fade to.
constexpr Color kBody = gui::hex(0xC9D1D8);

Color mix(Color a, Color b, double t) {
    return gui::blend(a, b, static_cast<unsigned>(std::clamp(t, 0.0, 1.0) * 255.0 + 0.5));
}

Color shade(Color c, int delta) {
    auto ch = [delta](unsigned v) {
        return static_cast<unsigned>(std::clamp(static_cast<int>(v) + delta, 0, 255));
    };
    return gui::rgb(ch(gui::redOf(c)), ch(gui::greenOf(c)), ch(gui::blueOf(c)));
}

// Coverage of a rounded rectangle at pixel (x, y), 4 x 4 samples per pixel.
double roundRectCoverage(double x, double y, double left, double top, double right, double bottom,
                         double radius) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4.0, py = y + (sy + 0.5) / 4.0;
            if (px < left || px > right || py < top || py > bottom) continue;
            const double cx = std::clamp(px, left + radius, right - radius);
            const double cy = std::clamp(py, top + radius, bottom - radius);
            const double dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= radius * radius) ++inside;
        }
    return inside / 16.0;
}

// A small deterministic noise for the brushed metal.
struct Noise {
    std::uint32_t state = 0x2545F491u;
    int next(int amplitude) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(2 * amplitude + 1)) -
               amplitude;
    }
};

void drawScrew(Bitmap& b, int cx, int cy) {
    for (int y = cy - 5; y <= cy + 5; ++y)
        for (int x = cx - 5; x <= cx + 5; ++x) {
            const double cov = roundRectCoverage(x, y, cx - 4.0, cy - 4.0, cx + 5.0, cy + 5.0, 4.5);
            if (cov <= 0) continue;
            const double t = (y - (cy - 4)) / 9.0;
            Color c = mix(gui::hex(0xF2F5F7), gui::hex(0x7D8891), t);
            if (std::abs((x - cx) + (y - cy)) <= 0) c = gui::hex(0x4A545C);  // the slot
            b.at(x, y) = mix(b.at(x, y), c, cov);
        }
}

}  // namespace

Image background(int height, const char* name) {
    Bitmap b(500, height);
    Noise noise;
    // Header band: deep slate with a soft sheen.
    constexpr int kHeader = 38;
    for (int y = 0; y < kHeader; ++y) {
        const double t = y / double(kHeader - 1);
        const Color row = mix(gui::hex(0x33475A), gui::hex(0x141C25), t);
        for (int x = 0; x < 500; ++x) {
            const double sheen = std::exp(-std::pow((x - 140) / 180.0, 2)) * (1 - t) * 0.25;
            b.at(x, y) = mix(row, gui::hex(0x8FB3CF), sheen);
        }
    }
    // The accent line in the colours of the two spectra.
    for (int x = 0; x < 500; ++x) {
        const Color accent = mix(gui::hex(0xCF45A6), gui::hex(0xAFD713), x / 499.0);
        b.at(x, kHeader) = accent;
        b.at(x, kHeader + 1) = mix(accent, gui::hex(0x141C25), 0.55);
    }
    // Body: brushed light metal, lighter at the top.
    for (int y = kHeader + 2; y < height; ++y) {
        const double t = (y - kHeader - 2) / double(height - kHeader - 3);
        const Color row = mix(gui::hex(0xDCE3E9), gui::hex(0xB3BEC8), t);
        int streak = noise.next(3);
        for (int x = 0; x < 500; ++x) {
            if (x % 23 == 0) streak = noise.next(3);
            b.at(x, y) = shade(row, streak + noise.next(2));
        }
    }
    // A light edge under the accent line and around the body.
    for (int x = 0; x < 500; ++x) b.at(x, kHeader + 2) = gui::hex(0xF4F7FA);
    for (int y = kHeader + 2; y < height; ++y) {
        b.at(0, y) = gui::hex(0xF4F7FA);
        b.at(499, y) = gui::hex(0x8793A0);
    }
    for (int x = 0; x < 500; ++x) b.at(x, height - 1) = gui::hex(0x8793A0);
    for (auto [x, y] : {std::pair{7, kHeader + 9}, std::pair{492, kHeader + 9},
                        std::pair{7, height - 8}, std::pair{492, height - 8}})
        drawScrew(b, x, y);

    // The name, with a faint glow, and a line that says what it does.
    gui::Canvas canvas(b);
    gui::Font logo = gui::Font::cell(gui::FontFamily::Arial, 29, gui::hex(0xFFFFFF));
    logo.setBold();
    const gui::Rect logoBox{16, 2, 300, 34};
    for (int d = 2; d >= 1; --d)
        gui::drawText(canvas, logoBox.translated(d, d), name, logo,
                      {gui::HAlign::Left, true, false},
                      mix(gui::hex(0x141C25), gui::hex(0x000000), 0.5));
    gui::drawText(canvas, logoBox, name, logo, {gui::HAlign::Left, true, false});
    const int logoWidth = gui::textWidth(logo, name);
    gui::Font tagline = gui::Font::cell(gui::FontFamily::Arial, 13, gui::hex(0xA9BCCB));
    gui::drawText(canvas, {16 + logoWidth + 12, 16, 240, 16}, "stereo centre processor", tagline,
                  {gui::HAlign::Left, false, false});
    gui::Font mark = gui::Font::cell(gui::FontFamily::Arial, 12, gui::hex(0x6F8496));
    mark.setBold();
    gui::drawText(canvas, {300, 13, 186, 14}, "CORVANTI", mark, {gui::HAlign::Right, false, false});
    return {std::move(b), Transparency::Opaque, gui::colors::white};
}

namespace {

// The groove the pointer runs in: rows 7 to 10 of an 18-pixel slot.
Color grooveColor(int y) {
    switch (y) {
        case 6: return gui::hex(0x5E6872);
        case 7: return gui::hex(0x1E242B);
        case 8: return gui::hex(0x2A3139);
        case 9: return gui::hex(0x343C45);
        case 10: return gui::hex(0x3E4650);
        case 11: return gui::hex(0xF2F6F9);
        default: return 0;
    }
}

// An end cap: the groove ends in a half circle at the outer side.
Image cap(bool left) {
    Bitmap b(16, 18, gui::colors::white);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 16; ++x) {
            const int inner = left ? x : 15 - x;  // distance from the outer end
            const double cov = roundRectCoverage(inner, y, 3.0, 5.5, 40.0, 12.5, 3.5);
            if (cov <= 0) continue;
            Color c = grooveColor(y);
            if (!c) c = y < 9 ? gui::hex(0x5E6872) : gui::hex(0xF2F6F9);
            // Fade the edge into the page colour, never into pure white.
            Color out = mix(kBody, c, cov);
            if (out == gui::colors::white) out = gui::hex(0xFEFEFE);
            b.at(x, y) = out;
        }
    return {std::move(b), Transparency::ColorKey, gui::colors::white};
}

}  // namespace

Image leftCap() { return cap(true); }
Image rightCap() { return cap(false); }

Image track() {
    Bitmap b(16, 18, 0x00000000u);
    for (int y = 6; y <= 11; ++y)
        for (int x = 0; x < 16; ++x) {
            Color c = grooveColor(y);
            // A faint tick every 8 pixels gives the groove some texture.
            if (y >= 7 && y <= 10 && x % 8 == 0) c = shade(c, 10);
            b.at(x, y) = c;
        }
    return {std::move(b), Transparency::Mask, gui::colors::white};
}

Image pointer() {
    Bitmap b(34, 18, gui::colors::black);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 34; ++x) {
            const double outer = roundRectCoverage(x, y, 0.5, 1.0, 33.5, 17.0, 4.0);
            if (outer <= 0) continue;
            const double inner = roundRectCoverage(x, y, 1.5, 2.0, 32.5, 16.0, 3.0);
            const double t = (y - 2) / 14.0;
            Color face = t < 0.45 ? mix(gui::hex(0xFBFCFD), gui::hex(0xDCE2E8), t / 0.45)
                                  : mix(gui::hex(0xC6CFD8), gui::hex(0x8E9AA6), (t - 0.45) / 0.55);
            // Grip: three grooves around the centre, with the accent in the middle.
            if (y >= 5 && y <= 12) {
                if (x == 12 || x == 21) face = gui::hex(0x6B7783);
                if (x == 13 || x == 22) face = gui::hex(0xFFFFFF);
                if (x == 16 || x == 17)
                    face = mix(gui::hex(0xCF45A6), gui::hex(0x8A2A6E), (y - 5) / 7.0);
            }
            Color c = mix(gui::hex(0x2C343C), face, inner);
            c = mix(kBody, c, outer);
            if ((c & 0xFFFFFFu) == 0) c = gui::hex(0x010101);
            b.at(x, y) = c;
        }
    return {std::move(b), Transparency::ColorKey, gui::colors::black};
}

namespace {

// A rounded, glossy plate on the switch's face colour.
Image plate(int w, int h, Color top, Color bottom, Color border, Color gloss,
            double glossStrength) {
    const Color faceColor = gui::hex(0xC7D5D6);
    Bitmap b(w, h, faceColor);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double outer = roundRectCoverage(x, y, 0, 0, w, h, 6.0);
            if (outer <= 0) continue;
            const double inner = roundRectCoverage(x, y, 1, 1, w - 1, h - 1, 5.0);
            const double t = y / double(h - 1);
            Color c = mix(top, bottom, t);
            if (y < h / 2) {
                const double g = glossStrength * (1.0 - y / (h / 2.0));
                c = mix(c, gloss, g);
            }
            if (y == 1) c = mix(c, gui::colors::white, 0.6);
            c = mix(border, c, inner);
            b.at(x, y) = mix(faceColor, c, outer);
        }
    return {std::move(b), Transparency::Opaque, gui::colors::white};
}

}  // namespace

Image buttonFace() {
    return plate(106, 32, gui::hex(0xF3F5F0), gui::hex(0xBFCBCB), gui::hex(0x5F6E73),
                 gui::hex(0xFFFFFF), 0.55);
}

Image buttonClick() {
    Image img = plate(102, 28, gui::hex(0xFFFFFF), gui::hex(0xCFEFFF), gui::hex(0x4C8FB8),
                      gui::hex(0xFFFFFF), 0.8);
    // A diagonal glint across the plate.
    for (int y = 2; y < 26; ++y)
        for (int x = 0; x < 102; ++x) {
            const double d = std::abs((x - 30) - (26 - y) * 0.8);
            if (d < 5)
                img.bitmap.at(x, y) =
                    mix(img.bitmap.at(x, y), gui::colors::white, (5 - d) / 5 * 0.8);
        }
    return img;
}

void fillImageList(gui::ImageList& list, int height, const char* name) {
    list.add(background(height, name));
    list.add(leftCap());
    list.add(rightCap());
    list.add(track());
    list.add(pointer());
}

}  // namespace editor::artwork
