// The separation stage: once per frame, between split and merge, it rewrites
// the left and right half spectra bin by bin. Two independent ways find what
// sits in the centre of the stereo image: the angle between a bin's left and
// right magnitudes over the whole spectrum, and the side signal (left minus
// right) inside the band set by Center and Width.
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

    cfmulReV(bandL, left, bandMask, n);
    cfmulReV(bandR, right, bandMask, n);
    cfmulReV(left, left, outsideMask, n);
    cfmulReV(right, right, outsideMask, n);
    cfsubv(sideL, bandL, bandR, n);
    cfsubv(sideR, bandR, bandL, n);

    if (stereolizeOn.load(std::memory_order_relaxed)) {
        // Each side signal keeps its magnitude and takes its own channel's phase.
        fc2pol(workMagnitude1, phaseL, bandL, n);
        fc2pol(workMagnitude2, phaseR, bandR, n);
        fc2pol(workMagnitude1, angles, sideL, n);
        fc2pol(workMagnitude2, spreadMask, sideR, n);
        fpol2c(sideL, workMagnitude1, phaseL, n);
        fpol2c(sideR, workMagnitude2, phaseR, n);
    }

    if (isolateOn.load(std::memory_order_relaxed)) {
        if (zindracate) {
            // Band minus side leaves the centre.
            cfsubv(bandL, bandL, sideL, n);
            cfsubv(bandR, bandR, sideR, n);
        }
        dequv(left, bandL, n);
        dequv(right, bandR, n);
    } else {
        const ComplexF mix{mixFactorRe.load(std::memory_order_relaxed), 0.0f};
        cfxaddv(left, sideL, left, n, mix, mixOffset);
        cfxaddv(right, sideR, right, n, mix, mixOffset);
    }
}
