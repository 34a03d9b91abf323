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

// The side signal given its own channel's phase: the magnitude of side at the
// angle of band. cos and sin of atan2(band) are band / |band|, so no angle is
// ever formed; a band bin of exactly zero has the angle 0.
inline ComplexF atPhaseOf(ComplexF side, ComplexF band) {
    const double sideRe = side.re, sideIm = side.im, bandRe = band.re, bandIm = band.im;
    const double magnitude = static_cast<float>(std::sqrt(sideRe * sideRe + sideIm * sideIm));
    if (band.re == 0.0f && band.im == 0.0f) return {static_cast<float>(magnitude), 0.0f};
    const double scale = magnitude / std::sqrt(bandRe * bandRe + bandIm * bandIm);
    return {static_cast<float>(bandRe * scale), static_cast<float>(bandIm * scale)};
}

}  // namespace

// Inside the band the spectra become the side signal (left minus right and
// right minus left), optionally at each channel's own phase, scaled by the mix
// and added to what lies outside the band; or only the band remains,
// optionally less its side signal, which leaves the centre. One pass over the
// bins does the work of the mask products, differences, polar conversions
// and sums, with every intermediate value rounded as stored.
void APlugin::bandStage(bool zindracate) {
    const int32_t n = binCount;
    ComplexF* left = spectrumL;
    ComplexF* right = spectrumR;
    const bool stereolize = stereolizeOn.load(std::memory_order_relaxed);
    const bool isolate = isolateOn.load(std::memory_order_relaxed);
    const double mix = mixFactorRe.load(std::memory_order_relaxed);
    const double offsetRe = mixOffset.re, offsetIm = mixOffset.im;
    for (int32_t k = 0; k < n; ++k) {
        const float inside = bandMask[k], outside = outsideMask[k];
        const ComplexF l = left[k], r = right[k];
        const ComplexF bandLeft{l.re * inside, l.im * inside};
        const ComplexF bandRight{r.re * inside, r.im * inside};
        ComplexF sideLeft{bandLeft.re - bandRight.re, bandLeft.im - bandRight.im};
        ComplexF sideRight{bandRight.re - bandLeft.re, bandRight.im - bandLeft.im};
        // Outside the band both side signals are zero whatever their phase.
        if (stereolize && inside != 0.0f) {
            sideLeft = atPhaseOf(sideLeft, bandLeft);
            sideRight = atPhaseOf(sideRight, bandRight);
        }
        if (isolate) {
            if (zindracate) {
                left[k] = {bandLeft.re - sideLeft.re, bandLeft.im - sideLeft.im};
                right[k] = {bandRight.re - sideRight.re, bandRight.im - sideRight.im};
            } else {
                left[k] = bandLeft;
                right[k] = bandRight;
            }
        } else {
            const double outLeftRe = l.re * outside, outLeftIm = l.im * outside;
            const double outRightRe = r.re * outside, outRightIm = r.im * outside;
            left[k] = {static_cast<float>(mix * sideLeft.re + offsetRe + outLeftRe),
                       static_cast<float>(mix * sideLeft.im + offsetIm + outLeftIm)};
            right[k] = {static_cast<float>(mix * sideRight.re + offsetRe + outRightRe),
                        static_cast<float>(mix * sideRight.im + offsetIm + outRightIm)};
        }
    }
}
