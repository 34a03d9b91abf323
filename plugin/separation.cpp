// The separation stage: once per frame, between split and merge, it rewrites
// the left and right half spectra bin by bin. Two independent ways find what
// sits in the centre of the stereo image: the angle between a bin's left and
// right magnitudes over the whole spectrum, and the side signal (left minus
// right) inside the band set by Center and Width.
//
// Each step is a single pass of a frame kernel that also leaves the
// magnitudes of what it wrote, so the display costs no extra pass; the
// phases the stage never uses are not computed.
#include <cstring>
#include <numbers>

#include "plugin/uPlugin.h"

void APlugin::separateSpectra() {
    const auto bins = static_cast<uint32_t>(binCount);
    const bool zindracate = zindracateOn.load(std::memory_order_relaxed);
    const bool spreadilate = spreadilateOn.load(std::memory_order_relaxed);

    if (spreadilate) {
        // Angle of (|L|, |R|): 0 left only, pi/4 equal, pi/2 right only. The
        // centre is kept with Zindra-cate!, removed without.
        const double spread = spreadAngle.load(std::memory_order_relaxed);
        const auto lo = static_cast<float>(std::numbers::pi / 4.0 - spread);
        const auto hi = static_cast<float>(std::numbers::pi / 4.0 + spread);
        kernels->selectByAngle(leftPlanes(), rightPlanes(), magnitudeL, magnitudeR, bins, lo, hi,
                               zindracate);
    }

    if (passThruOn.load(std::memory_order_relaxed)) {
        if (!spreadilate) {
            kernels->magnitudes(magnitudeL, leftPlanes(), 0, bins);
            kernels->magnitudes(magnitudeR, rightPlanes(), 0, bins);
        }
        return;
    }
    bandStage(zindracate, spreadilate);
}

// Inside the band the spectra become the side signal (left minus right and
// right minus left), optionally at each channel's own phase, scaled by the mix;
// outside it they pass unchanged. Or, with Isolate, only the band remains,
// optionally less its side signal, which leaves the centre. The masks are
// 1 on one run of bins and 0 elsewhere, so the work is done on that run alone.
void APlugin::bandStage(bool zindracate, bool magnitudesKnown) {
    const SpectrumPlanes left = leftPlanes(), right = rightPlanes();
    const bool isolate = isolateOn.load(std::memory_order_relaxed);
    const auto first = static_cast<uint32_t>(bandFirst), end = static_cast<uint32_t>(bandEnd);
    const auto bins = static_cast<uint32_t>(binCount);
    // The bins outside the band: nothing remains of them with Isolate; else
    // they pass, and their magnitudes are needed if not yet known.
    const uint32_t outside[2][2] = {{0, first}, {end, bins}};
    for (const auto& [from, to] : outside) {
        if (from >= to) continue;
        if (isolate) {
            const size_t bytes = (to - from) * sizeof(float);
            for (float* plane : {left.re, left.im, right.re, right.im, magnitudeL, magnitudeR})
                std::memset(plane + from, 0, bytes);
        } else if (!magnitudesKnown) {
            kernels->magnitudes(magnitudeL, left, from, to);
            kernels->magnitudes(magnitudeR, right, from, to);
        }
    }
    if (first >= end) return;

    BandStageOptions options{};
    options.stereolize = stereolizeOn.load(std::memory_order_relaxed);
    options.isolate = isolate;
    options.zindracate = zindracate;
    options.magnitudesKnown = magnitudesKnown;
    options.mix = {mixFactorRe.load(std::memory_order_relaxed), 0.0f};
    options.offset = mixOffset;
    kernels->bandStage(left, right, magnitudeL, magnitudeR, first, end, options);
}
