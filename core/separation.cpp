// The separation stage: once per frame, between split and merge, it rewrites
// the left and right half spectra bin by bin. Two independent ways find what
// sits in the centre of the stereo image: the angle between a bin's left and
// right magnitudes over the whole spectrum, and the side signal (left minus
// right) inside the band set by Center and Width.
//
// The switches are read once per frame into a FrameSeparation; the frame
// kernel then does split, separation and merge block by block, and leaves
// the magnitudes of its results for the display. The phases the stage never
// uses are not computed.
#include <numbers>

#include "core/FrameEngine.h"

void FrameEngine::separateSpectra() {
    FrameSeparation f{};
    f.bypass = controls.bypassOn.load(std::memory_order_relaxed);
    const bool zindracate = controls.zindracateOn.load(std::memory_order_relaxed);
    f.spreadilate = controls.spreadilateOn.load(std::memory_order_relaxed);
    if (f.spreadilate) {
        // Angle of (|L|, |R|): 0 left only, pi/4 equal, pi/2 right only. The
        // centre is kept with Zindra-cate!, removed without.
        const double spread = controls.spreadAngle.load(std::memory_order_relaxed);
        const auto lo = static_cast<float>(std::numbers::pi / 4.0 - spread);
        const auto hi = static_cast<float>(std::numbers::pi / 4.0 + spread);
        // Its cosines and sines change only with Spread and Zindra-cate!.
        if (lo != angleRange.lo || hi != angleRange.hi || zindracate != angleRange.keepInside)
            angleRange = makeAngleRange(lo, hi, zindracate);
        f.angles = angleRange;
    }
    // Inside the band the spectra become the side signal (left minus right
    // and right minus left), optionally at each channel's own phase, scaled
    // by the mix; outside it they pass unchanged. Or, with Isolate, only the
    // band remains, optionally less its side signal, which leaves the centre.
    // The masks are 1 on one run of bins and 0 elsewhere: the kernel takes
    // the run.
    f.bandStage = !controls.passThruOn.load(std::memory_order_relaxed);
    f.bandFirst = static_cast<uint32_t>(bandFirst);
    f.bandEnd = static_cast<uint32_t>(bandEnd);
    f.band.stereolize = controls.stereolizeOn.load(std::memory_order_relaxed);
    f.band.isolate = controls.isolateOn.load(std::memory_order_relaxed);
    f.band.zindracate = zindracate;
    f.band.mix = {controls.mixFactorRe.load(std::memory_order_relaxed), 0.0f};
    f.band.offset = mixOffset;
    kernels->separateFrame(transformIn, transformOut, magnitudeL, magnitudeR,
                           static_cast<uint32_t>(halfSize), f);
}
