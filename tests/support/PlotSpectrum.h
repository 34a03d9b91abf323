// A made-up spectrum for the editor's plot, in dB per bin: a voice in the
// centre over a falling noise floor, the right channel a little lower. The
// same for the editor's tests, the pictures of tools/ and the plot benchmark.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct PlotSpectrum {
    std::vector<double> left, right;
};

inline PlotSpectrum plotSpectrum(int bins) {
    PlotSpectrum s{std::vector<double>(static_cast<size_t>(bins)),
                   std::vector<double>(static_cast<size_t>(bins))};
    std::uint32_t seed = 12345;
    auto jitter = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1u << 24) * 10.0 - 5.0;
    };
    for (int b = 0; b < bins; ++b) {
        const double f = b / double(bins);
        const double floor = -40 - 22 * std::sqrt(f);
        double voice = 0;
        for (int h = 1; h <= 14; ++h) {
            const double centre = 0.016 * h;
            voice =
                std::max(voice, (44.0 - 2.5 * h) * std::exp(-std::pow((f - centre) / 0.0018, 2)));
        }
        s.left[static_cast<size_t>(b)] = floor + voice + jitter();
        s.right[static_cast<size_t>(b)] = floor - 6 + voice * 0.75 + jitter();
    }
    return s;
}
