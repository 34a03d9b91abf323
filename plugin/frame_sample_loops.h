// The frame kernels' loops over samples: into the input ring, out of a
// frame into the host's buffers, windows and sums. Part of
// frame_kernels_body.h, built once per instruction set.
#pragma once

#include "dsp/simd_lanes.h"
#include "plugin/frame_kernels.h"

namespace {

// Keeps silence away from denormal numbers: added to every input sample and
// taken off every output sample.
constexpr double kAntiDenormal = 1e-20;

using u32 = uint32_t;

inline u32 bitsOf(float x) { return __builtin_bit_cast(u32, x); }

// The steps over interleaved (left, right) pairs are written in vector
// instructions: the compiler's own vectorisation of them spends most of its
// time taking the pairs apart and putting them back together.
#if defined(__AVX512F__)

// (a0, b0, a1, b1, .., a7, b7) of two registers of eight.
inline __m512 interleave(__m256 a, __m256 b) {
    const __m512i order = _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    return _mm512_permutex2var_ps(_mm512_castps256_ps512(a), order, _mm512_castps256_ps512(b));
}

// Eight samples: (left + c, right + c) in double precision, rounded once.
inline void fillStep(float* out, const float* left, const float* right) {
    const __m512d c = _mm512_set1_pd(kAntiDenormal);
    const __m256 l = _mm512_cvtpd_ps(_mm512_add_pd(_mm512_cvtps_pd(_mm256_loadu_ps(left)), c));
    const __m256 r = _mm512_cvtpd_ps(_mm512_add_pd(_mm512_cvtps_pd(_mm256_loadu_ps(right)), c));
    _mm512_storeu_ps(out, interleave(l, r));
}

// Eight samples of the output; see mixOutput.
template <bool Replacing>
inline void mixStep(float* left, float* right, const float* p, const float* d, __m512d wet,
                    __m512d dry) {
    const __m512 pv = _mm512_loadu_ps(p), dv = _mm512_loadu_ps(d);
    __m512d lo = _mm512_mul_pd(_mm512_cvtps_pd(_mm512_castps512_ps256(pv)), wet);
    __m512d hi = _mm512_mul_pd(_mm512_cvtps_pd(_mm512_extractf32x8_ps(pv, 1)), wet);
    if constexpr (!Replacing) {
        const __m512 held = interleave(_mm256_loadu_ps(left), _mm256_loadu_ps(right));
        lo = _mm512_add_pd(lo, _mm512_cvtps_pd(_mm512_castps512_ps256(held)));
        hi = _mm512_add_pd(hi, _mm512_cvtps_pd(_mm512_extractf32x8_ps(held, 1)));
    }
    const __m512d c = _mm512_set1_pd(kAntiDenormal);
    lo = _mm512_sub_pd(
        _mm512_add_pd(lo, _mm512_mul_pd(_mm512_cvtps_pd(_mm512_castps512_ps256(dv)), dry)), c);
    hi = _mm512_sub_pd(
        _mm512_add_pd(hi, _mm512_mul_pd(_mm512_cvtps_pd(_mm512_extractf32x8_ps(dv, 1)), dry)), c);
    const __m512 both = _mm512_insertf32x8(_mm512_castps256_ps512(_mm512_cvtpd_ps(lo)),
                                           _mm512_cvtpd_ps(hi), 1);  // L R L R ..
    const __m512 split = _mm512_permutexvar_ps(
        _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15), both);
    _mm256_storeu_ps(left, _mm512_castps512_ps256(split));
    _mm256_storeu_ps(right, _mm512_extractf32x8_ps(split, 1));
}

#elif defined(__AVX2__)

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

#else

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

#endif

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
