// The editor with the live spectrum of a synthetic mix (a voice in the
// centre, instruments to the sides).
//   editor_snapshot <folder>   writes editor-main.png and editor-about.png
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "editor_pictures.h"

namespace {

// Two seconds of a small mix: a sung vowel with vibrato, equal in both
// channels, over a bass and a bright pad panned apart and a little noise.
void synthesise(std::vector<float>& left, std::vector<float>& right, double rate) {
    const double twoPi = 2.0 * std::numbers::pi;
    std::uint32_t seed = 1;
    auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (static_cast<double>(seed >> 8) / double(1u << 24)) * 2.0 - 1.0;
    };
    double voicePhase = 0, airLeft = 0, airRight = 0;
    for (size_t n = 0; n < left.size(); ++n) {
        const double t = static_cast<double>(n) / rate;
        const double pitch = 220.0 * (1.0 + 0.01 * std::sin(twoPi * 5.5 * t));
        voicePhase += twoPi * pitch / rate;
        double voice = 0;
        for (int h = 1; h <= 24; ++h) {
            // Formants near 700 Hz and 1200 Hz shape the vowel.
            const double f = pitch * h;
            const double formant = std::exp(-std::pow((f - 700.0) / 300.0, 2)) +
                                   0.6 * std::exp(-std::pow((f - 1200.0) / 400.0, 2)) + 0.05;
            voice += formant / h * std::sin(voicePhase * h);
        }
        const double bass = 0.3 * std::sin(twoPi * 55.0 * t) + 0.15 * std::sin(twoPi * 110.0 * t);
        double pad = 0;
        for (double f : {1760.0, 2637.0, 3520.0, 5274.0}) pad += 0.04 * std::sin(twoPi * f * t);
        // Room noise, different in each channel, falling towards the highs.
        airLeft = 0.9 * airLeft + 0.1 * noise();
        airRight = 0.97 * airRight + 0.03 * noise();
        const double hissLeft = 1.2 * airLeft + 0.01 * noise();
        const double hissRight = 2.0 * airRight + 0.01 * noise();
        left[n] = static_cast<float>(0.3 * voice + 0.8 * bass + 0.3 * pad + hissLeft);
        right[n] = static_cast<float>(0.3 * voice + 0.3 * bass + 0.8 * pad + hissRight);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    std::vector<float> left(88200), right(88200);
    synthesise(left, right, 44100.0);
    const bool ok = writeEditorPictures(folder, left, right, 44100);
    std::printf("%s\n", ok ? "editor snapshots written" : "could not write the editor snapshots");
    return ok ? 0 : 1;
}
