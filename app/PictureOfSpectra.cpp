#include "app/PictureOfSpectra.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "dsp/VCFmath.h"
#include "platform/offscreen/OffscreenWindow.h"

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 400;
constexpr int kMargin = 30;
constexpr uint32_t kFrame = 4096;
constexpr double kLowHz = 20.0;
constexpr double kHighHz = 20000.0;
constexpr double kTopDb = 0.0;
constexpr double kBottomDb = -100.0;

using Colour = uint32_t;  // 0xRRGGBB

class Canvas {
public:
    Canvas() : pixels(static_cast<size_t>(kWidth * kHeight), 0xFFFFFFu) {}
    void set(int x, int y, Colour c) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
        pixels[static_cast<size_t>(y * kWidth + x)] = c;
    }
    void line(int x0, int y0, int x1, int y1, Colour c) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1;
        for (int s = 0; s <= steps; ++s)
            set(x0 + (x1 - x0) * s / steps, y0 + (y1 - y0) * s / steps, c);
    }
    // Text in a small built-in vector font, drawn as the filled quads it is made of.
    void text(int x, int y, const std::string& words, Colour c) {
        std::vector<char> buffer(words.size() * 300 + 300);
        const int quads = stb_easy_font_print(0.0f, 0.0f, const_cast<char*>(words.c_str()), nullptr,
                                              buffer.data(), static_cast<int>(buffer.size()));
        for (int q = 0; q < quads; ++q) {
            // Four vertices of 16 bytes each: x, y, z as floats, then a colour.
            const auto* v = reinterpret_cast<const float*>(buffer.data() + q * 64);
            const int x0 = x + static_cast<int>(v[0]), y0 = y + static_cast<int>(v[1]);
            const int x1 = x + static_cast<int>(v[8]), y1 = y + static_cast<int>(v[9]);
            for (int py = y0; py < y1; ++py)
                for (int px = x0; px < x1; ++px) set(px, py, c);
        }
    }
    std::vector<uint32_t> pixels;
};

// Mean power per bin of the mid (L+R)/2 signal over Hann-windowed frames with
// half overlap, in dB relative to a full-scale sine.
std::vector<double> averageSpectrumDb(const StereoSignal& signal) {
    std::vector<double> power(kFrame / 2 + 1, 0.0);
    std::vector<ComplexF> frame(kFrame);
    double windowSum = 0.0;
    for (uint32_t k = 0; k < kFrame; ++k)
        windowSum += 0.5 - 0.5 * std::cos(2 * std::numbers::pi * k / kFrame);
    int frames = 0;
    for (size_t start = 0; start + kFrame <= signal.size(); start += kFrame / 2, ++frames) {
        for (uint32_t k = 0; k < kFrame; ++k) {
            const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * k / kFrame);
            const double mid = 0.5 * (signal.left[start + k] + signal.right[start + k]);
            frame[k] = ComplexF{static_cast<float>(w * mid), 0.0f};
        }
        cfpFFT(frame.data(), frame.data(), kFrame, 1);
        for (uint32_t k = 0; k <= kFrame / 2; ++k) {
            const double re = frame[k].re, im = frame[k].im;
            power[k] += re * re + im * im;
        }
    }
    std::vector<double> db(power.size());
    const double fullScale = windowSum * windowSum / 4.0;  // a sine of amplitude 1
    for (size_t k = 0; k < power.size(); ++k)
        db[k] = 10.0 * std::log10(std::max(power[k] / std::max(frames, 1) / fullScale, 1e-12));
    return db;
}

int xOf(double hz) {
    const double f = std::log(hz / kLowHz) / std::log(kHighHz / kLowHz);
    return kMargin + static_cast<int>(f * (kWidth - 2 * kMargin));
}

int yOf(double db) {
    const double f = (kTopDb - std::clamp(db, kBottomDb, kTopDb)) / (kTopDb - kBottomDb);
    return kMargin + static_cast<int>(f * (kHeight - 2 * kMargin));
}

void drawCurve(Canvas& canvas, const std::vector<double>& db, int32_t rate, Colour colour) {
    int lastX = -1, lastY = 0;
    for (size_t k = 1; k < db.size(); ++k) {
        const double hz = static_cast<double>(k) * rate / kFrame;
        if (hz < kLowHz || hz > kHighHz) continue;
        const int x = xOf(hz), y = yOf(db[k]);
        if (lastX >= 0) canvas.line(lastX, lastY, x, y, colour);
        lastX = x;
        lastY = y;
    }
}

}  // namespace

void writeSpectrumPicture(const std::string& path, const StereoSignal& before,
                          const StereoSignal& after, int32_t sampleRate, const std::string& title) {
    Canvas canvas;
    const Colour grid = 0xE1E1E1, axis = 0x787878, ink = 0x282828;
    const Colour beforeColour = 0x969696, afterColour = 0xDC5A14;
    static const struct {
        double hz;
        const char* label;
    } ticks[] = {{20, "20"},   {50, "50"},   {100, "100"}, {200, "200"},   {500, "500"},
                 {1000, "1k"}, {2000, "2k"}, {5000, "5k"}, {10000, "10k"}, {20000, "20k Hz"}};
    for (const auto& tick : ticks) {
        canvas.line(xOf(tick.hz), kMargin, xOf(tick.hz), kHeight - kMargin, grid);
        canvas.text(xOf(tick.hz) - 6, kHeight - kMargin + 6, tick.label, ink);
    }
    for (double db = kTopDb; db >= kBottomDb; db -= 20.0) {
        canvas.line(kMargin, yOf(db), kWidth - kMargin, yOf(db), grid);
        canvas.text(2, yOf(db) - 3, std::to_string(static_cast<int>(db)), ink);
    }
    canvas.text(kMargin, 10, "dB", ink);
    canvas.text(kMargin + 40, 10, "input", beforeColour);
    canvas.text(kMargin + 90, 10, title, afterColour);
    canvas.line(kMargin, kHeight - kMargin, kWidth - kMargin, kHeight - kMargin, axis);
    canvas.line(kMargin, kMargin, kMargin, kHeight - kMargin, axis);
    drawCurve(canvas, averageSpectrumDb(before), sampleRate, beforeColour);
    drawCurve(canvas, averageSpectrumDb(after), sampleRate, afterColour);
    if (!platform::writePng(path, canvas.pixels.data(), kWidth, kHeight, kWidth))
        throw std::runtime_error(path + ": cannot write");
}
