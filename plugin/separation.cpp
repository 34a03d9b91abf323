// The separation stage: once per frame, between split and merge, it rewrites
// the left and right half spectra bin by bin. Two independent ways find what
// sits in the centre of the stereo image: the angle between a bin's left and
// right magnitudes over the whole spectrum, and the side signal (left minus
// right) inside the band set by Center and Width.
#include <cmath>
#include <numbers>

#include "dsp/VCFmath.h"
#include "dsp/VCFstd.h"
#include "dsp/VFmath.h"
#include "dsp/VFstd.h"
#include "plugin/uPlugin.h"

void APlugin::separateSpectra() {
    const auto n = static_cast<uint32_t>(binCount);
    ComplexF* left = spectrumL;
    ComplexF* right = spectrumR;
    const bool zindracate = zindracateOn.load(std::memory_order_relaxed);

    if (spreadilateOn.load(std::memory_order_relaxed)) {
        // Angle of (|L|, |R|): 0 left only, pi/4 equal, pi/2 right only.
        cfabs(magnitudeL, left, n);
        cfabs(magnitudeR, right, n);
        freim2c(bandL, magnitudeL, magnitudeR, n);
        fc2pol(workMagnitude1, angles, bandL, n);
        const double spread = spreadAngle.load(std::memory_order_relaxed);
        const auto lo = static_cast<float>(std::numbers::pi / 4.0 - spread);
        const auto hi = static_cast<float>(std::numbers::pi / 4.0 + spread);
        fcmpicc(spreadMask, angles, n, lo, hi);
        if (!zindracate) {
            // Keep everything but the centre.
            fequ1(angles, n);
            fsubv(spreadMask, angles, spreadMask, n);
        }
        cfmulReV(left, left, spreadMask, n);
        cfmulReV(right, right, spreadMask, n);
    }

    if (passThruOn.load(std::memory_order_relaxed)) return;
    bandStage(zindracate);
}

namespace {

// Each side signal keeps its magnitude and takes the angle of its channel's
// band bin. cos and sin of atan2(band) are band / |band|, so no angle is ever
// formed; a band bin of exactly zero has the angle 0.
void takeDirection(ComplexF* side, const float* magnitude, const ComplexF* band,
                   const float* bandMagnitude, uint32_t n) {
    for (uint32_t k = 0; k < n; ++k) {
        const float length = bandMagnitude[k];
        const float toUnit = length != 0.0f ? 1.0f / length : 0.0f;
        const float re = length != 0.0f ? band[k].re * toUnit : 1.0f;
        const float im = band[k].im * toUnit;
        side[k] = {re * magnitude[k], im * magnitude[k]};
    }
}

}  // namespace

// Inside the band the spectra become the side signal (left minus right and
// right minus left), optionally at each channel's own phase, scaled by the mix;
// outside it they pass unchanged. Or, with Isolate, only the band remains,
// optionally less its side signal, which leaves the centre. The masks are
// 1 on one run of bins and 0 elsewhere, so the work is done on that run alone.
void APlugin::bandStage(bool zindracate) {
    ComplexF* left = spectrumL;
    ComplexF* right = spectrumR;
    const bool isolate = isolateOn.load(std::memory_order_relaxed);
    if (isolate) {
        // Nothing outside the band remains.
        dequ0(left, static_cast<uint32_t>(bandFirst));
        dequ0(right, static_cast<uint32_t>(bandFirst));
        dequ0(left + bandEnd, static_cast<uint32_t>(binCount - bandEnd));
        dequ0(right + bandEnd, static_cast<uint32_t>(binCount - bandEnd));
    }
    if (bandFirst >= bandEnd) return;

    const auto n = static_cast<uint32_t>(bandEnd - bandFirst);
    ComplexF* l = left + bandFirst;
    ComplexF* r = right + bandFirst;
    ComplexF* sl = sideL + bandFirst;
    ComplexF* sr = sideR + bandFirst;
    cfsubv(sl, l, r, n);
    cfsubv(sr, r, l, n);
    if (stereolizeOn.load(std::memory_order_relaxed)) {
        float* sideMagnitude = workMagnitude1 + bandFirst;  // the same for both sides
        float* leftMagnitude = workMagnitude2 + bandFirst;
        float* rightMagnitude = phaseL + bandFirst;
        cfabs(sideMagnitude, sl, n);
        cfabs(leftMagnitude, l, n);
        cfabs(rightMagnitude, r, n);
        takeDirection(sl, sideMagnitude, l, leftMagnitude, n);
        takeDirection(sr, sideMagnitude, r, rightMagnitude, n);
    }
    if (isolate) {
        if (zindracate) {
            // Band minus side leaves the centre.
            cfsubv(l, l, sl, n);
            cfsubv(r, r, sr, n);
        }
        return;
    }
    const ComplexF mix{mixFactorRe.load(std::memory_order_relaxed), 0.0f};
    // Inside the band nothing of the input is kept: L = mix x side + offset.
    dequ0(l, n);
    dequ0(r, n);
    cfxaddv(l, sl, l, n, mix, mixOffset);
    cfxaddv(r, sr, r, n, mix, mixOffset);
}
