// The separation of one bin written out plainly in double precision: the
// model that the frame kernels (frame_kernels_test.cpp) and the whole engine
// (EngineHarness.h) are compared with.
#pragma once

#include <cmath>
#include <complex>

namespace reference {

using Complex = std::complex<double>;

struct BinSeparation {
    // The centre-angle selection: a bin is inside when
    // lo <= atan2(|R|, |L|) <= hi; keepInside keeps those inside, else
    // those outside.
    bool spreadilate = false;
    double lo = 0.0, hi = 0.0;
    bool keepInside = false;
    // The band stage (not Pass Thru), on the bins of the band.
    bool bandStage = false;
    bool stereolize = false, isolate = false, zindracate = false;
    Complex mix = 1.0;  // without isolate: mix x side
};

// l and r: one bin of the left and the right spectrum.
inline void separateBin(Complex& l, Complex& r, bool inBand, const BinSeparation& s) {
    if (s.spreadilate) {
        const double angle = std::atan2(std::abs(r), std::abs(l));
        const bool inside = s.lo <= angle && angle <= s.hi;
        if (inside != s.keepInside) l = r = 0.0;
    }
    if (!s.bandStage) return;
    if (!inBand) {
        if (s.isolate) l = r = 0.0;  // nothing outside the band remains
        return;
    }
    Complex sideL = l - r, sideR = r - l;
    if (s.stereolize) {
        sideL = std::abs(sideL) * (l == 0.0 ? 1.0 : l / std::abs(l));
        sideR = std::abs(sideR) * (r == 0.0 ? 1.0 : r / std::abs(r));
    }
    if (!s.isolate) {
        l = s.mix * sideL;
        r = s.mix * sideR;
    } else if (s.zindracate) {
        l -= sideL;
        r -= sideR;
    }
}

}  // namespace reference
