// The loops of frame_kernels.h. Included once by each instruction-set build
// (frame_kernels_sse2.cpp, frame_kernels_avx2.cpp), which then hand out
// kKernels. Everything here has internal linkage, and nothing but the
// compiler's intrinsics (always inlined) is taken from headers with inline
// functions, so no code built for one instruction set can be picked by the
// linker for the other.
//
// The builds use -O3 -fno-math-errno -fno-trapping-math -ffp-contract=off:
// the loops become vector code, square roots become vector instructions,
// selects replace branches, and both builds round exactly alike.
//
// Magnitudes are computed in single precision: each is within a unit in the
// last place of the double-precision value. The frame step keeps the
// spectra in a range where no square overflows or loses precision
// (engine.cpp, frameScale).
#include <immintrin.h>

#include "plugin/frame_kernels.h"

namespace {

// Keeps silence away from denormal numbers: added to every input sample and
// taken off every output sample.
constexpr double kAntiDenormal = 1e-20;

using u32 = uint32_t;

inline u32 bitsOf(float x) { return __builtin_bit_cast(u32, x); }

// The loops over interleaved (left, right) pairs are written in vector
// instructions: the compiler's own vectorisation of them spends most of its
// time taking the pairs apart and putting them back together.
#if defined(__AVX2__)

constexpr int kStep = 4;  // pairs per step

using Floats = __m256;  // four pairs
inline Floats load(const float* p) { return _mm256_loadu_ps(p); }
inline void store(float* p, Floats v) { _mm256_storeu_ps(p, v); }
inline Floats mul(Floats a, Floats b) { return _mm256_mul_ps(a, b); }
inline Floats add(Floats a, Floats b) { return _mm256_add_ps(a, b); }
inline Floats splat(float x) { return _mm256_set1_ps(x); }
// w[0], w[0], w[1], w[1], ..: one real factor for both parts of each pair.
inline Floats eachTwice(const float* w) {
    return _mm256_permutevar8x32_ps(_mm256_castps128_ps256(_mm_loadu_ps(w)),
                                    _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3));
}
using Bits = __m256i;
inline Bits noBits() { return _mm256_setzero_si256(); }
inline Bits largerBits(Bits largest, Floats v) {
    const Bits magnitude = _mm256_and_si256(_mm256_castps_si256(v), _mm256_set1_epi32(0x7FFFFFFF));
    return _mm256_max_epu32(largest, magnitude);
}

// Four samples: (left + c, right + c) in double precision, rounded once.
inline void fillStep(float* out, const float* left, const float* right) {
    const __m256d c = _mm256_set1_pd(kAntiDenormal);
    const __m128 l = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(_mm_loadu_ps(left)), c));
    const __m128 r = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(_mm_loadu_ps(right)), c));
    _mm_storeu_ps(out, _mm_unpacklo_ps(l, r));
    _mm_storeu_ps(out + 4, _mm_unpackhi_ps(l, r));
}

// Four samples of the output; see mixOutput.
template <bool Replacing>
inline void mixStep(float* left, float* right, const float* p, const float* d, __m256d wet,
                    __m256d dry) {
    const __m256 pv = _mm256_loadu_ps(p), dv = _mm256_loadu_ps(d);
    __m256d lo = _mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(pv)), wet);
    __m256d hi = _mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(pv, 1)), wet);
    if constexpr (!Replacing) {
        const __m128 l = _mm_loadu_ps(left), r = _mm_loadu_ps(right);
        lo = _mm256_add_pd(lo, _mm256_cvtps_pd(_mm_unpacklo_ps(l, r)));
        hi = _mm256_add_pd(hi, _mm256_cvtps_pd(_mm_unpackhi_ps(l, r)));
    }
    const __m256d c = _mm256_set1_pd(kAntiDenormal);
    lo = _mm256_sub_pd(
        _mm256_add_pd(lo, _mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(dv)), dry)), c);
    hi = _mm256_sub_pd(
        _mm256_add_pd(hi, _mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(dv, 1)), dry)), c);
    const __m128 a = _mm256_cvtpd_ps(lo), b = _mm256_cvtpd_ps(hi);  // L R L R
    _mm_storeu_ps(left, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
    _mm_storeu_ps(right, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
}

inline __m256d splatDouble(double x) { return _mm256_set1_pd(x); }
using Doubles = __m256d;

#else

constexpr int kStep = 2;  // pairs per step

using Floats = __m128;  // two pairs
inline Floats load(const float* p) { return _mm_loadu_ps(p); }
inline void store(float* p, Floats v) { _mm_storeu_ps(p, v); }
inline Floats mul(Floats a, Floats b) { return _mm_mul_ps(a, b); }
inline Floats add(Floats a, Floats b) { return _mm_add_ps(a, b); }
inline Floats splat(float x) { return _mm_set1_ps(x); }
inline Floats eachTwice(const float* w) {
    const __m128 two = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(w)));
    return _mm_unpacklo_ps(two, two);
}
using Bits = __m128i;
inline Bits noBits() { return _mm_setzero_si128(); }
// Without the sign the patterns are below 2^31: the signed comparison serves.
inline Bits largerBits(Bits largest, Floats v) {
    const Bits magnitude = _mm_and_si128(_mm_castps_si128(v), _mm_set1_epi32(0x7FFFFFFF));
    const Bits greater = _mm_cmpgt_epi32(magnitude, largest);
    return _mm_or_si128(_mm_and_si128(greater, magnitude), _mm_andnot_si128(greater, largest));
}

// Two samples: (left + c, right + c) in double precision, rounded once.
inline void fillStep(float* out, const float* left, const float* right) {
    const __m128d c = _mm_set1_pd(kAntiDenormal);
    const __m128 l2 = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(left)));
    const __m128 r2 = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(right)));
    const __m128 l = _mm_cvtpd_ps(_mm_add_pd(_mm_cvtps_pd(l2), c));
    const __m128 r = _mm_cvtpd_ps(_mm_add_pd(_mm_cvtps_pd(r2), c));
    _mm_storeu_ps(out, _mm_unpacklo_ps(l, r));
}

// Two samples of the output; see mixOutput.
template <bool Replacing>
inline void mixStep(float* left, float* right, const float* p, const float* d, __m128d wet,
                    __m128d dry) {
    const __m128 pv = _mm_loadu_ps(p), dv = _mm_loadu_ps(d);  // L R L R
    __m128d lo = _mm_mul_pd(_mm_cvtps_pd(pv), wet);
    __m128d hi = _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(pv, pv)), wet);
    if constexpr (!Replacing) {
        const __m128 l = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(left)));
        const __m128 r = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(right)));
        const __m128 pairs = _mm_unpacklo_ps(l, r);  // L0 R0 L1 R1
        lo = _mm_add_pd(lo, _mm_cvtps_pd(pairs));
        hi = _mm_add_pd(hi, _mm_cvtps_pd(_mm_movehl_ps(pairs, pairs)));
    }
    const __m128d c = _mm_set1_pd(kAntiDenormal);
    lo = _mm_sub_pd(_mm_add_pd(lo, _mm_mul_pd(_mm_cvtps_pd(dv), dry)), c);
    hi = _mm_sub_pd(_mm_add_pd(hi, _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(dv, dv)), dry)), c);
    const __m128 both = _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi));     // L0 R0 L1 R1
    const __m128 split = _mm_shuffle_ps(both, both, _MM_SHUFFLE(3, 1, 2, 0));  // L0 L1 R0 R1
    _mm_storel_pi(reinterpret_cast<__m64*>(left), split);
    _mm_storeh_pi(reinterpret_cast<__m64*>(right), split);
}

inline __m128d splatDouble(double x) { return _mm_set1_pd(x); }
using Doubles = __m128d;

#endif

// The largest of the lanes.
inline u32 largestOf(Bits v) {
    u32 lanes[sizeof(Bits) / sizeof(u32)];
    __builtin_memcpy(lanes, &v, sizeof v);
    u32 m = 0;
    for (u32 lane : lanes) m = m > lane ? m : lane;
    return m;
}

void fillRing(ComplexF* __restrict ring, const float* __restrict left,
              const float* __restrict right, u32 count) {
    float* __restrict out = &ring->re;
    int i = 0;
    for (; i + kStep <= int(count); i += kStep) fillStep(out + 2 * i, left + i, right + i);
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
    for (; i + kStep <= count; i += kStep)
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
    for (; i + kStep <= int(count); i += kStep) {
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
    for (; i + kStep <= int(count); i += kStep)
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
    for (; i + kStep <= int(count); i += kStep)
        store(s + 2 * i, add(load(s + 2 * i), mul(mul(load(v + 2 * i), f), eachTwice(window + i))));
    for (; i < int(count); ++i) {
        s[2 * i] = s[2 * i] + (v[2 * i] * factor) * window[i];
        s[2 * i + 1] = s[2 * i + 1] + (v[2 * i + 1] * factor) * window[i];
    }
}

// ---------------------------------------------------------------------------
// The spectral pass: split, separation, display magnitudes and merge, done
// block by block so that everything between reading the forward transform
// and writing the inverse transform's input stays in the first-level cache.

constexpr int kBlock = 64;

struct Block {
    alignas(32) float lRe[kBlock];
    alignas(32) float lIm[kBlock];
    alignas(32) float rRe[kBlock];
    alignas(32) float rIm[kBlock];
    // The block's bins of the display magnitudes, written in place.
    float* magnitudeL;
    float* magnitudeR;
    alignas(32) float mirror[2 * kBlock];  // (re, im) pairs
};

inline float magnitudeOf(float re, float im) { return __builtin_sqrtf(re * re + im * im); }

void magnitudes(float* __restrict magnitude, const float* __restrict re, const float* __restrict im,
                int from, int to) {
    for (int j = from; j < to; ++j) magnitude[j] = magnitudeOf(re[j], im[j]);
}

// With X the transform of left + i right:
//   L[k] = (X[k] + conj X[N-k]) / 2,  R[k] = (X[k] - conj X[N-k]) / 2i,
// conjugated, because the forward kernel is e^(+2 pi i k n / N). Halving is
// exact, so single-precision sums give the double-precision results.
// Bins first .. first+count-1 of the packed spectrum z (n points) into b.
void splitStereoSpectrum(Block& b, const float* __restrict z, int n, int first, int count) {
    float* __restrict mirror = b.mirror;
    // mirror[j] = z[n - first - j]: the reversal first, then straight loops.
    // Bin 0 is its own mirror.
    const int from = first == 0 ? 1 : 0;
    if (first == 0) {
        mirror[0] = z[0];
        mirror[1] = z[1];
    }
    const float* __restrict back = z + 2 * (n - first);
    for (int j = from; j < count; ++j) {
        mirror[2 * j] = back[-2 * j];
        mirror[2 * j + 1] = back[-2 * j + 1];
    }
    const float* __restrict front = z + 2 * first;
    float* __restrict lRe = b.lRe;
    float* __restrict lIm = b.lIm;
    float* __restrict rRe = b.rRe;
    float* __restrict rIm = b.rIm;
    for (int j = 0; j < count; ++j) {
        const float zRe = front[2 * j], zIm = front[2 * j + 1];
        const float aRe = mirror[2 * j], aIm = mirror[2 * j + 1];
        lRe[j] = (aRe + zRe) * 0.5f;
        lIm[j] = (zIm - aIm) * -0.5f;
        rRe[j] = (aIm + zIm) * 0.5f;
        rIm[j] = (zRe - aRe) * 0.5f;
    }
    if (first == 0) {
        lRe[0] = z[0];
        lIm[0] = 0.0f;
        rRe[0] = z[1];
        rIm[0] = 0.0f;
    }
}

// The inverse of the split, into s (n points): S[k] = (L.re + R.im,
// R.re - L.im) and S[N-k] = (L.re - R.im, R.re + L.im); bins 0 and N/2 have
// no mirror (at N/2 both formulas meet in one entry, which takes the first).
void mergeStereoSpectrum(float* __restrict s, Block& b, int n, int first, int count) {
    const float* __restrict lRe = b.lRe;
    const float* __restrict lIm = b.lIm;
    const float* __restrict rRe = b.rRe;
    const float* __restrict rIm = b.rIm;
    float* __restrict mirror = b.mirror;
    float* __restrict front = s + 2 * first;
    for (int j = 0; j < count; ++j) {
        front[2 * j] = lRe[j] + rIm[j];
        front[2 * j + 1] = rRe[j] - lIm[j];
        mirror[2 * j] = lRe[j] - rIm[j];
        mirror[2 * j + 1] = rRe[j] + lIm[j];
    }
    const int half = n / 2;
    const int from = first == 0 ? 1 : 0;
    const int to = first + count > half ? half - first : count;
    float* __restrict back = s + 2 * (n - first);
    for (int j = from; j < to; ++j) {
        back[-2 * j] = mirror[2 * j];
        back[-2 * j + 1] = mirror[2 * j + 1];
    }
}

// atan2(y, x) for x, y >= 0, 0 when both are 0: atan of t = the smaller over
// the larger; above tan(pi/8) through atan t = pi/4 + atan((t - 1)/(t + 1)),
// with its argument taken as (min - max)/(min + max) in one division. The
// same polynomial and order of operations as the toolkit's fc2pol, within
// 3 units in the last place of atan2.
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

// The centre-angle selection of one block. Most bins lie clearly inside or
// outside [lo, hi]: their angle is at least 1e-5 from both ends, which the
// products with the cosines and sines of the shifted ends tell without an
// arctangent (AngleRange). Only a block with a bin near an end computes the
// angles, and then decides every bin by them.
void selectByAngle(Block& b, int count, const AngleRange& range) {
    float* __restrict lRe = b.lRe;
    float* __restrict lIm = b.lIm;
    float* __restrict rRe = b.rRe;
    float* __restrict rIm = b.rIm;
    float* __restrict magnitudeL = b.magnitudeL;
    float* __restrict magnitudeR = b.magnitudeR;
    alignas(32) float keep[kBlock];
    const float inside = range.keepInside ? 1.0f : 0.0f, outside = 1.0f - inside;
    int unsure = 0;
    for (int j = 0; j < count; ++j) {
        const float l = magnitudeOf(lRe[j], lIm[j]);
        const float r = magnitudeOf(rRe[j], rIm[j]);
        magnitudeL[j] = l;
        magnitudeR[j] = r;
        const bool in =
            (r * range.loInCos >= l * range.loInSin) & (r * range.hiInCos <= l * range.hiInSin);
        const bool out =
            (r * range.loOutCos < l * range.loOutSin) | (r * range.hiOutCos > l * range.hiOutSin);
        keep[j] = in ? inside : outside;
        unsure |= static_cast<int>(!(in | out));
    }
    if (unsure) {
        const float lo = range.lo, hi = range.hi;
        for (int j = 0; j < count; ++j) {
            const float angle = firstQuadrantAngle(magnitudeR[j], magnitudeL[j]);
            keep[j] = ((lo <= angle) & (angle <= hi)) ? inside : outside;
        }
    }
    for (int j = 0; j < count; ++j) {
        lRe[j] *= keep[j];
        lIm[j] *= keep[j];
        rRe[j] *= keep[j];
        rIm[j] *= keep[j];
        magnitudeL[j] *= keep[j];
        magnitudeR[j] *= keep[j];
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

// The band stage on bins from..to-1 of the block, leaving the magnitudes of
// the results. Known: the block's magnitudes already hold |L| and |R|.
template <bool Stereolize, bool Isolate, bool Zindracate, bool Known>
void bandRun(Block& b, int from, int to, const BandStageOptions& o) {
    float* __restrict lRe = b.lRe;
    float* __restrict lIm = b.lIm;
    float* __restrict rRe = b.rRe;
    float* __restrict rIm = b.rIm;
    float* __restrict magnitudeL = b.magnitudeL;
    float* __restrict magnitudeR = b.magnitudeR;
    const float mixRe = o.mix.re, mixIm = o.mix.im, offRe = o.offset.re, offIm = o.offset.im;
    for (int j = from; j < to; ++j) {
        float lr = lRe[j], li = lIm[j], rr = rRe[j], ri = rIm[j];
        // side L = L - R; side R = R - L, its exact negative.
        float slr = lr - rr, sli = li - ri, srr = -slr, sri = -sli;
        [[maybe_unused]] float ml = 0.0f, mr = 0.0f, side = 0.0f;
        if constexpr (Stereolize) {
            side = magnitudeOf(slr, sli);
            ml = Known ? magnitudeL[j] : magnitudeOf(lr, li);
            mr = Known ? magnitudeR[j] : magnitudeOf(rr, ri);
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
        lRe[j] = lr;
        lIm[j] = li;
        rRe[j] = rr;
        rIm[j] = ri;
        if constexpr (Stereolize && Isolate) {
            // Each channel less a side signal along its own direction: the
            // magnitudes subtract (and stay where nothing is taken away).
            const float keptL = Zindracate ? ml - side : ml;
            const float keptR = Zindracate ? mr - side : mr;
            magnitudeL[j] = keptL < 0.0f ? -keptL : keptL;
            magnitudeR[j] = keptR < 0.0f ? -keptR : keptR;
        } else {
            magnitudeL[j] = magnitudeOf(lr, li);
            magnitudeR[j] = magnitudeOf(rr, ri);
        }
    }
}

using BandRun = void (*)(Block&, int, int, const BandStageOptions&);

BandRun bandRunFor(const BandStageOptions& o, bool known) {
    // Without stereolize the magnitudes of the input are not needed.
    static constexpr BandRun runs[12] = {
        bandRun<false, false, false, false>, bandRun<false, false, true, false>,
        bandRun<false, true, false, false>,  bandRun<false, true, true, false>,
        bandRun<true, false, false, false>,  bandRun<true, false, true, false>,
        bandRun<true, true, false, false>,   bandRun<true, true, true, false>,
        bandRun<true, false, false, true>,   bandRun<true, false, true, true>,
        bandRun<true, true, false, true>,    bandRun<true, true, true, true>};
    return runs[(o.stereolize ? (known ? 8 : 4) : 0) + (o.isolate ? 2 : 0) +
                (o.zindracate ? 1 : 0)];
}

void clearBins(Block& b, int from, int to) {
    float* const planes[] = {b.lRe, b.lIm, b.rRe, b.rIm, b.magnitudeL, b.magnitudeR};
    for (float* plane : planes)
        for (int j = from; j < to; ++j) plane[j] = 0.0f;
}

// The separation of one block, bins first .. first+count-1.
void separateBlock(Block& b, int first, int count, const FrameSeparation& f, BandRun band) {
    if (f.bypass) {
        magnitudes(b.magnitudeL, b.lRe, b.lIm, 0, count);
        magnitudes(b.magnitudeR, b.rRe, b.rIm, 0, count);
        return;
    }
    if (f.spreadilate) selectByAngle(b, count, f.angles);
    // Known magnitudes from the selection, or none yet.
    const bool known = f.spreadilate;
    int from = 0, to = 0;  // the band within the block
    if (f.bandStage) {
        from = static_cast<int>(f.bandFirst) - first;
        to = static_cast<int>(f.bandEnd) - first;
        from = from < 0 ? 0 : (from > count ? count : from);
        to = to < from ? from : (to > count ? count : to);
    }
    // Outside the band: nothing remains with Isolate; else the bins pass.
    const int outside[2][2] = {{0, from}, {to, count}};
    for (const auto& part : outside) {
        if (part[0] >= part[1]) continue;
        if (f.bandStage && f.band.isolate) {
            clearBins(b, part[0], part[1]);
        } else if (!known) {
            magnitudes(b.magnitudeL, b.lRe, b.lIm, part[0], part[1]);
            magnitudes(b.magnitudeR, b.rRe, b.rIm, part[0], part[1]);
        }
    }
    if (from < to) band(b, from, to, f.band);
}

void separateFrame(ComplexF* __restrict s, const ComplexF* __restrict z,
                   float* __restrict magnitudeL, float* __restrict magnitudeR, u32 half,
                   const FrameSeparation& f) {
    const int n = 2 * static_cast<int>(half), bins = static_cast<int>(half) + 1;
    const BandRun band = bandRunFor(f.band, f.spreadilate);
    Block b;
    for (int first = 0; first < bins; first += kBlock) {
        const int count = bins - first < kBlock ? bins - first : kBlock;
        splitStereoSpectrum(b, &z->re, n, first, count);
        b.magnitudeL = magnitudeL + first;
        b.magnitudeR = magnitudeR + first;
        separateBlock(b, first, count, f, band);
        mergeStereoSpectrum(&s->re, b, n, first, count);
    }
}

constexpr FrameKernels kKernels = {fillRing,        mixOutput,          enterFrame,   windowFrame,
                                   scaleMagnitudes, accumulateWindowed, separateFrame};

}  // namespace
