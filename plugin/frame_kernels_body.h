// The loops of frame_kernels.h. Included once by each instruction-set build
// (frame_kernels_sse2.cpp, frame_kernels_avx2.cpp), which then hand out
// kKernels. Everything here has internal linkage, and nothing is taken from
// headers with inline functions, so no code built for one instruction set
// can be picked by the linker for the other.
//
// The builds use -O3 -fno-math-errno -ffp-contract=off: the loops become
// vector code, square roots become vector instructions, and both builds
// round exactly alike.
//
// Magnitudes are computed in single precision: each is within a unit in the
// last place of the double-precision value. The frame step keeps the
// spectra in a range where no square overflows or loses precision
// (engine.cpp, frameScale).
#include "plugin/frame_kernels.h"

namespace {

// Keeps silence away from denormal numbers: added to every input sample and
// taken off every output sample.
constexpr double kAntiDenormal = 1e-20;

using u32 = uint32_t;

inline u32 bitsOf(float x) { return __builtin_bit_cast(u32, x); }

void fillRing(ComplexF* __restrict ring, const float* __restrict left,
              const float* __restrict right, u32 count) {
    float* __restrict out = &ring->re;
    for (int i = 0; i < int(count); ++i) {
        out[2 * i] = static_cast<float>(left[i] + kAntiDenormal);
        out[2 * i + 1] = static_cast<float>(right[i] + kAntiDenormal);
    }
}

void mixOutput(float* __restrict left, float* __restrict right,
               const ComplexF* __restrict processed, const ComplexF* __restrict delayed, u32 count,
               double wet, double dry, bool replacing) {
    const float* __restrict p = &processed->re;
    const float* __restrict d = &delayed->re;
    if (replacing) {
        for (int i = 0; i < int(count); ++i) {
            left[i] = static_cast<float>(p[2 * i] * wet + d[2 * i] * dry - kAntiDenormal);
            right[i] =
                static_cast<float>(p[2 * i + 1] * wet + d[2 * i + 1] * dry - kAntiDenormal);
        }
    } else {
        for (int i = 0; i < int(count); ++i) {
            left[i] = static_cast<float>((p[2 * i] * wet + left[i]) + d[2 * i] * dry -
                                         kAntiDenormal);
            right[i] = static_cast<float>((p[2 * i + 1] * wet + right[i]) + d[2 * i + 1] * dry -
                                          kAntiDenormal);
        }
    }
}

u32 windowFrame(ComplexF* __restrict out, const ComplexF* __restrict in,
                const float* __restrict window, u32 count) {
    float* __restrict o = &out->re;
    const float* __restrict x = &in->re;
    u32 largest = 0;
    for (int i = 0; i < int(count); ++i) {
        const float re = x[2 * i] * window[i];
        const float im = x[2 * i + 1] * window[i];
        o[2 * i] = re;
        o[2 * i + 1] = im;
        const u32 a = bitsOf(re) & 0x7FFFFFFFu, b = bitsOf(im) & 0x7FFFFFFFu;
        const u32 m = a > b ? a : b;
        largest = largest > m ? largest : m;
    }
    return largest;
}

void scaleComplex(ComplexF* __restrict x, u32 count, float factor) {
    float* __restrict v = &x->re;
    for (int i = 0; i < 2 * int(count); ++i) v[i] *= factor;
}

void accumulateWindowed(ComplexF* __restrict sum, const ComplexF* __restrict x,
                        const float* __restrict window, u32 count, float factor) {
    float* __restrict s = &sum->re;
    const float* __restrict v = &x->re;
    for (int i = 0; i < int(count); ++i) {
        s[2 * i] = s[2 * i] + (v[2 * i] * factor) * window[i];
        s[2 * i + 1] = s[2 * i + 1] + (v[2 * i + 1] * factor) * window[i];
    }
}

// With X the transform of left + i right:
//   L[k] = (X[k] + conj X[N-k]) / 2,  R[k] = (X[k] - conj X[N-k]) / 2i,
// conjugated, because the forward kernel is e^(+2 pi i k n / N). Halving is
// exact, so single-precision sums give the double-precision results.
void split(SpectrumPlanes left, SpectrumPlanes right, const ComplexF* __restrict z,
           ComplexF* __restrict mirror, u32 half) {
    const u32 n = 2 * half;
    // mirror[i] = z[n - i]: the reversal first, then straight loops.
    const float* __restrict zf = &z->re;
    float* __restrict mf = &mirror->re;
    for (int i = 1; i <= int(half); ++i) {
        mf[2 * i] = zf[2 * (int(n) - i)];
        mf[2 * i + 1] = zf[2 * (int(n) - i) + 1];
    }
    float* __restrict lRe = left.re;
    float* __restrict lIm = left.im;
    float* __restrict rRe = right.re;
    float* __restrict rIm = right.im;
    for (int i = 1; i <= int(half); ++i) {
        const float zRe = zf[2 * i], zIm = zf[2 * i + 1];
        const float aRe = mf[2 * i], aIm = mf[2 * i + 1];
        lRe[i] = (aRe + zRe) * 0.5f;
        lIm[i] = (zIm - aIm) * -0.5f;
        rRe[i] = (aIm + zIm) * 0.5f;
        rIm[i] = (zRe - aRe) * 0.5f;
    }
    lRe[0] = z[0].re;
    lIm[0] = 0.0f;
    rRe[0] = z[0].im;
    rIm[0] = 0.0f;
}

void merge(ComplexF* __restrict s, SpectrumPlanes left, SpectrumPlanes right,
           ComplexF* __restrict mirror, u32 half) {
    const u32 n = 2 * half;
    const float* __restrict lRe = left.re;
    const float* __restrict lIm = left.im;
    const float* __restrict rRe = right.re;
    const float* __restrict rIm = right.im;
    float* __restrict sf = &s->re;
    float* __restrict mf = &mirror->re;
    for (int i = 0; i <= int(half); ++i) {
        mf[2 * i] = lRe[i] - rIm[i];
        mf[2 * i + 1] = rRe[i] + lIm[i];
        sf[2 * i] = lRe[i] + rIm[i];
        sf[2 * i + 1] = rRe[i] - lIm[i];
    }
    // S[N/2] is written last from the upper formula; it is already there.
    for (int i = 1; i < int(half); ++i) {
        sf[2 * (int(n) - i)] = mf[2 * i];
        sf[2 * (int(n) - i) + 1] = mf[2 * i + 1];
    }
}

inline float magnitudeOf(float re, float im) { return __builtin_sqrtf(re * re + im * im); }

void magnitudes(float* __restrict magnitude, SpectrumPlanes x, u32 first, u32 end) {
    const float* __restrict re = x.re;
    const float* __restrict im = x.im;
    for (int k = int(first); k < int(end); ++k) magnitude[k] = magnitudeOf(re[k], im[k]);
}

// atan2(y, x) for x, y >= 0, 0 when both are 0: atan of t = the smaller over
// the larger; above tan(pi/8) through atan t = pi/4 + atan((t - 1)/(t + 1)),
// with its argument taken as (min - max)/(min + max) in one division. The
// same polynomial and order of operations as the toolkit's fc2pol.
inline float firstQuadrantAngle(float y, float x) {
    const float larger = y > x ? y : x;
    const float smaller = y > x ? x : y;
    const bool big = smaller > larger * 0.41421356237f;
    const float t = (big ? smaller - larger : smaller) / (big ? smaller + larger : larger);
    const float z = t * t;
    float p = 8.05374449538e-2f;
    p = p * z - 1.38776856032e-1f;
    p = p * z + 1.99777106478e-1f;
    p = p * z - 3.33329491539e-1f;
    p = p * z * t + t;
    float a = (big ? 0.78539816339744831f : 0.0f) + p;
    a = y > x ? 1.57079632679489662f - a : a;
    return larger == 0.0f ? 0.0f : a;
}

void selectByAngle(SpectrumPlanes left, SpectrumPlanes right, float* __restrict magnitudeL,
                   float* __restrict magnitudeR, u32 count, float lo, float hi,
                   bool keepInside) {
    float* __restrict lRe = left.re;
    float* __restrict lIm = left.im;
    float* __restrict rRe = right.re;
    float* __restrict rIm = right.im;
    const float inside = keepInside ? 1.0f : 0.0f, outside = 1.0f - inside;
    for (int k = 0; k < int(count); ++k) {
        const float l = magnitudeOf(lRe[k], lIm[k]);
        const float r = magnitudeOf(rRe[k], rIm[k]);
        const float angle = firstQuadrantAngle(r, l);
        const float keep = (lo <= angle) & (angle <= hi) ? inside : outside;
        lRe[k] *= keep;
        lIm[k] *= keep;
        rRe[k] *= keep;
        rIm[k] *= keep;
        magnitudeL[k] = l * keep;
        magnitudeR[k] = r * keep;
    }
}

// A side signal of magnitude `side` in the direction of (re, im), whose
// magnitude is `length`; a bin of length 0 has the direction (1, 0).
inline void alongDirection(float side, float re, float im, float length, float& outRe,
                           float& outIm) {
    const float toUnit = length != 0.0f ? 1.0f / length : 0.0f;
    outRe = (length != 0.0f ? re * toUnit : 1.0f) * side;
    outIm = (im * toUnit) * side;
}

template <bool Stereolize, bool Isolate, bool Zindracate, bool Known>
void bandRun(SpectrumPlanes left, SpectrumPlanes right, float* __restrict magnitudeL,
             float* __restrict magnitudeR, u32 first, u32 end, const BandStageOptions& o) {
    float* __restrict lRe = left.re;
    float* __restrict lIm = left.im;
    float* __restrict rRe = right.re;
    float* __restrict rIm = right.im;
    const float mixRe = o.mix.re, mixIm = o.mix.im, offRe = o.offset.re, offIm = o.offset.im;
    for (int k = int(first); k < int(end); ++k) {
        float lr = lRe[k], li = lIm[k], rr = rRe[k], ri = rIm[k];
        // side L = L - R; side R = R - L, its exact negative.
        float slr = lr - rr, sli = li - ri, srr = -slr, sri = -sli;
        if constexpr (Stereolize) {
            const float side = magnitudeOf(slr, sli);
            const float ml = Known ? magnitudeL[k] : magnitudeOf(lr, li);
            const float mr = Known ? magnitudeR[k] : magnitudeOf(rr, ri);
            alongDirection(side, lr, li, ml, slr, sli);
            alongDirection(side, rr, ri, mr, srr, sri);
        }
        if constexpr (Isolate) {
            if constexpr (Zindracate) {
                lr -= slr;
                li -= sli;
                rr -= srr;
                ri -= sri;
            }
        } else {
            lr = slr * mixRe - sli * mixIm + offRe;
            li = slr * mixIm + sli * mixRe + offIm;
            rr = srr * mixRe - sri * mixIm + offRe;
            ri = srr * mixIm + sri * mixRe + offIm;
        }
        lRe[k] = lr;
        lIm[k] = li;
        rRe[k] = rr;
        rIm[k] = ri;
        magnitudeL[k] = magnitudeOf(lr, li);
        magnitudeR[k] = magnitudeOf(rr, ri);
    }
}

void bandStage(SpectrumPlanes left, SpectrumPlanes right, float* magnitudeL, float* magnitudeR,
               u32 first, u32 end, const BandStageOptions& o) {
    using Run = void (*)(SpectrumPlanes, SpectrumPlanes, float*, float*, u32, u32,
                         const BandStageOptions&);
    // Without stereolize the magnitudes of the input are not needed.
    static constexpr Run runs[12] = {
        bandRun<false, false, false, false>, bandRun<false, false, true, false>,
        bandRun<false, true, false, false>,  bandRun<false, true, true, false>,
        bandRun<true, false, false, false>,  bandRun<true, false, true, false>,
        bandRun<true, true, false, false>,   bandRun<true, true, true, false>,
        bandRun<true, false, false, true>,   bandRun<true, false, true, true>,
        bandRun<true, true, false, true>,    bandRun<true, true, true, true>};
    const int which = (o.stereolize ? (o.magnitudesKnown ? 8 : 4) : 0) + (o.isolate ? 2 : 0) +
                      (o.zindracate ? 1 : 0);
    runs[which](left, right, magnitudeL, magnitudeR, first, end, o);
}

constexpr FrameKernels kKernels = {fillRing,   mixOutput, windowFrame,   scaleComplex,
                                   accumulateWindowed, split, merge, magnitudes,
                                   selectByAngle, bandStage};

}  // namespace
