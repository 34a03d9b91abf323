// Picks the frame kernels for the processor the plug-in runs on.
#include "core/frame_kernels.h"

#include <cmath>

#if ZINDRA_WIDE_VECTORS
const FrameKernels& frameKernelsAvx2();
const FrameKernels& frameKernelsAvx512();
#endif

const FrameKernels* frameKernelsOf(VectorCode code) {
    if (usableVectorCode(code) != code) return nullptr;
    switch (code) {
#if ZINDRA_WIDE_VECTORS
        case VectorCode::Avx2: return &frameKernelsAvx2();
        case VectorCode::Avx512: return &frameKernelsAvx512();
#endif
        default: return &frameKernelsBaseline();
    }
}

VectorCode frameKernelsCode() {
    static const VectorCode code = usableVectorCode(vectorCode());
    return code;
}

const FrameKernels& frameKernels() {
    static const FrameKernels& chosen = *frameKernelsOf(frameKernelsCode());
    return chosen;
}

// The surely-inside and surely-outside tests keep 1e-5 radians from both ends:
// far more than the arctangent's error (3 units in the last place, under
// 4e-7) and the rounding of the products (about 1e-7 of the magnitude). An end
// no angle can pass (lo <= 0, hi at or above pi/2 in single precision) gets
// tests that always pass or always fail.
AngleRange makeAngleRange(float lo, float hi, bool keepInside) {
    constexpr double kMargin = 1e-5;
    AngleRange r{};
    r.lo = lo;
    r.hi = hi;
    r.keepInside = keepInside;
    const auto cosOf = [](double a) { return static_cast<float>(std::cos(a)); };
    const auto sinOf = [](double a) { return static_cast<float>(std::sin(a)); };
    if (lo <= 0.0f) {
        r.loInCos = 1.0f;  // |R| >= 0
        r.loInSin = 0.0f;
        r.loOutCos = r.loOutSin = 0.0f;  // 0 < 0
    } else {
        r.loInCos = cosOf(lo + kMargin);
        r.loInSin = sinOf(lo + kMargin);
        r.loOutCos = cosOf(lo - kMargin);
        r.loOutSin = sinOf(lo - kMargin);
    }
    if (hi >= 1.57079632679489662f) {
        r.hiInCos = r.hiInSin = 0.0f;    // 0 <= 0
        r.hiOutCos = r.hiOutSin = 0.0f;  // 0 > 0
    } else {
        r.hiInCos = cosOf(hi - kMargin);
        r.hiInSin = sinOf(hi - kMargin);
        r.hiOutCos = cosOf(hi + kMargin);
        r.hiOutSin = sinOf(hi + kMargin);
    }
    return r;
}
