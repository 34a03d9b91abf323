// The frame kernels' loops over samples: into the input ring, out of a
// frame into the host's buffers, windows and sums. Part of
// frame_kernels_body.h, built once per instruction set.
#pragma once

#include "core/frame_kernels.h"
#include "dsp/simd_lanes.h"

namespace {

// Keeps silence away from denormal numbers: added to every input sample and
// taken off every output sample.
constexpr double kAntiDenormal = 1e-20;

using u32 = uint32_t;

inline u32 bitsOf(float x) { return __builtin_bit_cast(u32, x); }

// The steps over interleaved (left, right) pairs are written in vector
// instructions: the compiler's own vectorisation of them spends most of its
// time taking the pairs apart and putting them back together.

// kLanes samples: (left + c, right + c) in double precision, rounded once.
inline void fillStep(float* out, const float* left, const float* right) {
    const Doubles c = splatDouble(kAntiDenormal);
    store(out, interleave(narrow(add(widen(loadHalf(left)), c)),
                          narrow(add(widen(loadHalf(right)), c))));
}

// kLanes samples of the output; see mixOutput.
template <bool Replacing>
inline void mixStep(float* left, float* right, const float* p, const float* d, Doubles wet,
                    Doubles dry) {
    const Floats pv = load(p), dv = load(d);  // L R L R ..
    Doubles lo = mul(widen(lowHalf(pv)), wet);
    Doubles hi = mul(widen(highHalf(pv)), wet);
    if constexpr (!Replacing) {
        const Floats held = interleave(loadHalf(left), loadHalf(right));
        lo = add(lo, widen(lowHalf(held)));
        hi = add(hi, widen(highHalf(held)));
    }
    const Doubles c = splatDouble(kAntiDenormal);
    lo = sub(add(lo, mul(widen(lowHalf(dv)), dry)), c);
    hi = sub(add(hi, mul(widen(highHalf(dv)), dry)), c);
    HalfFloats l, r;
    splitPairs(joinHalves(narrow(lo), narrow(hi)), l, r);
    storeHalf(left, l);
    storeHalf(right, r);
}

void fillRing(ComplexF* __restrict ring, const float* __restrict left,
              const float* __restrict right, u32 count) {
    float* __restrict out = &ring->re;
    int i = 0;
    for (; i + kLanes <= int(count); i += kLanes) fillStep(out + 2 * i, left + i, right + i);
    for (; i < int(count); ++i) {
        out[2 * i] = static_cast<float>(left[i] + kAntiDenormal);
        out[2 * i + 1] = static_cast<float>(right[i] + kAntiDenormal);
    }
}

template <bool Replacing>
void mixRun(float* __restrict left, float* __restrict right, const float* __restrict p,
            const float* __restrict d, int count, double wet, double dry) {
    const Doubles wetLanes = splatDouble(wet), dryLanes = splatDouble(dry);
    int i = 0;
    for (; i + kLanes <= count; i += kLanes)
        mixStep<Replacing>(left + i, right + i, p + 2 * i, d + 2 * i, wetLanes, dryLanes);
    for (; i < count; ++i) {
        const double heldL = Replacing ? 0.0 : left[i], heldR = Replacing ? 0.0 : right[i];
        left[i] = static_cast<float>((p[2 * i] * wet + heldL) + d[2 * i] * dry - kAntiDenormal);
        right[i] =
            static_cast<float>((p[2 * i + 1] * wet + heldR) + d[2 * i + 1] * dry - kAntiDenormal);
    }
}

void mixOutput(float* __restrict left, float* __restrict right,
               const ComplexF* __restrict processed, const ComplexF* __restrict delayed, u32 count,
               double wet, double dry, bool replacing) {
    if (replacing)
        mixRun<true>(left, right, &processed->re, &delayed->re, int(count), wet, dry);
    else
        mixRun<false>(left, right, &processed->re, &delayed->re, int(count), wet, dry);
}

u32 enterFrame(ComplexF* __restrict frame, const ComplexF* __restrict ring, u32 count) {
    float* __restrict o = &frame->re;
    const float* __restrict x = &ring->re;
    Bits lanes = noBits();
    int i = 0;
    for (; i + kLanes <= int(count); i += kLanes) {
        const Floats v = load(x + 2 * i);
        store(o + 2 * i, v);
        lanes = largerBits(lanes, v);
    }
    u32 largest = largestOf(lanes);
    for (; i < 2 * int(count); ++i) {
        o[i] = x[i];
        const u32 a = bitsOf(x[i]) & 0x7FFFFFFFu;
        largest = largest > a ? largest : a;
    }
    return largest;
}

void windowFrame(ComplexF* __restrict out, const ComplexF* __restrict in,
                 const float* __restrict window, u32 count, float factor) {
    float* __restrict o = &out->re;
    const float* __restrict x = &in->re;
    const Floats f = splat(factor);
    int i = 0;
    for (; i + kLanes <= int(count); i += kLanes)
        store(o + 2 * i, mul(mul(load(x + 2 * i), eachTwice(window + i)), f));
    for (; i < int(count); ++i) {
        o[2 * i] = (x[2 * i] * window[i]) * factor;
        o[2 * i + 1] = (x[2 * i + 1] * window[i]) * factor;
    }
}

bool scaleMagnitudes(float* __restrict magnitude, u32 count, float factor) {
    constexpr float kLargest = 3.40282346638528859812e+38f;
    constexpr float kInfinity = __builtin_inff();
    int overflow = 0;
    for (int k = 0; k < int(count); ++k) {
        const float scaled = magnitude[k];
        const float value = scaled * factor;
        const bool beyond = (value == kInfinity) & (scaled < kInfinity);
        overflow |= static_cast<int>(beyond);
        magnitude[k] = beyond ? kLargest : value;
    }
    return overflow != 0;
}

void accumulateWindowed(ComplexF* __restrict sum, const ComplexF* __restrict x,
                        const float* __restrict window, u32 count, float factor) {
    float* __restrict s = &sum->re;
    const float* __restrict v = &x->re;
    const Floats f = splat(factor);
    int i = 0;
    for (; i + kLanes <= int(count); i += kLanes)
        store(s + 2 * i, add(load(s + 2 * i), mul(mul(load(v + 2 * i), f), eachTwice(window + i))));
    for (; i < int(count); ++i) {
        s[2 * i] = s[2 * i] + (v[2 * i] * factor) * window[i];
        s[2 * i + 1] = s[2 * i + 1] + (v[2 * i + 1] * factor) * window[i];
    }
}

}  // namespace
