// Complex values in vector registers, for code that is built once per
// instruction set. The build names the width of each such file in
// ZINDRA_LANES (cmake/ZindraTargets.cmake, zindra_vector_source): 8 complex
// values in 512-bit AVX-512 registers, 4 in 256-bit AVX2 registers, 2 in
// 128-bit SSE2 registers. The width never follows the compiler's
// instruction-set macros: a build for a newer baseline (-march=x86-64-v3)
// keeps its 2-lane code, which the compiler may then encode with VEX.
// A complex value is (re, im) or, in the frame kernels, a (left, right) pair
// of samples.
//
// Everything here has internal linkage, and nothing but the compiler's
// intrinsics (always inlined) is taken from headers with inline functions:
// code built for one instruction set can then never be picked by the linker
// for another, as it could be with templates shared between the units.
// Code that uses these wrappers must follow the same rule.
//
// Every width rounds alike, bit for bit: no multiply-add is fused.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace {

#if !defined(ZINDRA_LANES)
#error "ZINDRA_LANES (2, 4 or 8) comes from the build, per file"
#elif ZINDRA_LANES == 8

constexpr int kLanes = 8;  // complex values per register

using Floats = __m512;
using Doubles = __m512d;  // eight doubles
using Bits = __m512i;

inline Floats load(const float* p) { return _mm512_loadu_ps(p); }
inline void store(float* p, Floats v) { _mm512_storeu_ps(p, v); }
inline Floats add(Floats a, Floats b) { return _mm512_add_ps(a, b); }
inline Floats sub(Floats a, Floats b) { return _mm512_sub_ps(a, b); }
inline Floats mul(Floats a, Floats b) { return _mm512_mul_ps(a, b); }
inline Floats splat(float x) { return _mm512_set1_ps(x); }
inline Doubles splatDouble(double x) { return _mm512_set1_pd(x); }
inline Doubles add(Doubles a, Doubles b) { return _mm512_add_pd(a, b); }
inline Doubles sub(Doubles a, Doubles b) { return _mm512_sub_pd(a, b); }
inline Doubles mul(Doubles a, Doubles b) { return _mm512_mul_pd(a, b); }

// Samples: kLanes floats of one channel, and their doubles.
using HalfFloats = __m256;
inline HalfFloats loadHalf(const float* p) { return _mm256_loadu_ps(p); }
inline void storeHalf(float* p, HalfFloats v) { _mm256_storeu_ps(p, v); }
inline Doubles widen(HalfFloats v) { return _mm512_cvtps_pd(v); }
inline HalfFloats narrow(Doubles v) { return _mm512_cvtpd_ps(v); }
inline HalfFloats lowHalf(Floats v) { return _mm512_castps512_ps256(v); }
inline HalfFloats highHalf(Floats v) { return _mm512_extractf32x8_ps(v, 1); }
inline Floats joinHalves(HalfFloats low, HalfFloats high) {
    return _mm512_insertf32x8(_mm512_castps256_ps512(low), high, 1);
}
// (a0, b0, a1, b1, ..): left and right samples into pairs.
inline Floats interleave(HalfFloats a, HalfFloats b) {
    const __m512i order = _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    return _mm512_permutex2var_ps(_mm512_castps256_ps512(a), order, _mm512_castps256_ps512(b));
}
// Pairs back into the even (left) and the odd (right) entries.
inline void splitPairs(Floats v, HalfFloats& evens, HalfFloats& odds) {
    const Floats split = _mm512_permutexvar_ps(
        _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15), v);
    evens = lowHalf(split);
    odds = highHalf(split);
}

// w[0], w[0], w[1], w[1], ..: one real factor for both parts of each value.
inline Floats eachTwice(const float* w) {
    return _mm512_permutexvar_ps(_mm512_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7),
                                 _mm512_castps256_ps512(_mm256_loadu_ps(w)));
}

// (im, re) of each value.
inline Floats swapParts(Floats z) { return _mm512_permute_ps(z, 0xB1); }

// The sign bit of every real part, or of every imaginary part.
inline Floats realSigns() { return _mm512_castsi512_ps(_mm512_set1_epi64(0x0000000080000000LL)); }
inline Floats imaginarySigns() { return _mm512_castsi512_ps(_mm512_set1_epi64(INT64_MIN)); }

// sigma i z: (-im, re) for the forward direction, (im, -re) for the inverse.
template <bool Inverse>
inline Floats timesSigmaI(Floats z) {
    return _mm512_xor_ps(swapParts(z), Inverse ? imaginarySigns() : realSigns());
}

// z times the constant c + i sigma s: both products rounded, then summed.
template <bool Inverse>
inline Floats rotate(Floats z, float c, float s) {
    const __m512 product = _mm512_mul_ps(z, _mm512_set1_ps(c));
    const __m512 cross = _mm512_mul_ps(swapParts(z), _mm512_xor_ps(_mm512_set1_ps(s), realSigns()));
    return Inverse ? _mm512_sub_ps(product, cross) : _mm512_add_ps(product, cross);
}

// Writes kLanes blocks of values q[0..count), block l taking lane l of each:
// 8 x 8 transposes of complex values (count a multiple of 8).
inline void storeLanes(float* const* blocks, const Floats* q, size_t count) {
    for (size_t g = 0; g < count; g += 8) {
        __m512d t[8], u[8];
        for (size_t p = 0; p < 8; p += 2) {  // (a0 b0 | a2 b2 | a4 b4 | a6 b6), (a1 b1 | ..)
            t[p] = _mm512_unpacklo_pd(_mm512_castps_pd(q[g + p]), _mm512_castps_pd(q[g + p + 1]));
            t[p + 1] =
                _mm512_unpackhi_pd(_mm512_castps_pd(q[g + p]), _mm512_castps_pd(q[g + p + 1]));
        }
        for (size_t p = 0; p < 8; p += 4) {  // (a0 b0 | a4 b4 | c0 d0 | c4 d4), ..
            u[p] = _mm512_shuffle_f64x2(t[p], t[p + 2], 0x88);
            u[p + 1] = _mm512_shuffle_f64x2(t[p], t[p + 2], 0xDD);
            u[p + 2] = _mm512_shuffle_f64x2(t[p + 1], t[p + 3], 0x88);
            u[p + 3] = _mm512_shuffle_f64x2(t[p + 1], t[p + 3], 0xDD);
        }
        // u[0..3] hold lanes (0, 4), (2, 6), (1, 5), (3, 7) of q[g .. g + 3], u[4..7] of the rest.
        constexpr size_t kLaneOf[4] = {0, 2, 1, 3};
        for (size_t r = 0; r < 4; ++r) {
            const size_t lane = kLaneOf[r];
            _mm512_storeu_pd(reinterpret_cast<double*>(blocks[lane] + 2 * g),
                             _mm512_shuffle_f64x2(u[r], u[r + 4], 0x88));
            _mm512_storeu_pd(reinterpret_cast<double*>(blocks[lane + 4] + 2 * g),
                             _mm512_shuffle_f64x2(u[r], u[r + 4], 0xDD));
        }
    }
}

// Leaves the wide registers clean for SSE code that follows.
inline void endLanes() { _mm256_zeroupper(); }

inline Bits noBits() { return _mm512_setzero_si512(); }
// The larger of largest and the bit patterns of |v|, lane by lane.
inline Bits largerBits(Bits largest, Floats v) {
    const Bits magnitude = _mm512_and_si512(_mm512_castps_si512(v), _mm512_set1_epi32(0x7FFFFFFF));
    return _mm512_max_epu32(largest, magnitude);
}

#elif ZINDRA_LANES == 4

constexpr int kLanes = 4;  // complex values per register

using Floats = __m256;
using Doubles = __m256d;  // four doubles
using Bits = __m256i;

inline Floats load(const float* p) { return _mm256_loadu_ps(p); }
inline void store(float* p, Floats v) { _mm256_storeu_ps(p, v); }
inline Floats add(Floats a, Floats b) { return _mm256_add_ps(a, b); }
inline Floats sub(Floats a, Floats b) { return _mm256_sub_ps(a, b); }
inline Floats mul(Floats a, Floats b) { return _mm256_mul_ps(a, b); }
inline Floats splat(float x) { return _mm256_set1_ps(x); }
inline Doubles splatDouble(double x) { return _mm256_set1_pd(x); }
inline Doubles add(Doubles a, Doubles b) { return _mm256_add_pd(a, b); }
inline Doubles sub(Doubles a, Doubles b) { return _mm256_sub_pd(a, b); }
inline Doubles mul(Doubles a, Doubles b) { return _mm256_mul_pd(a, b); }

// Samples: kLanes floats of one channel, and their doubles.
using HalfFloats = __m128;
inline HalfFloats loadHalf(const float* p) { return _mm_loadu_ps(p); }
inline void storeHalf(float* p, HalfFloats v) { _mm_storeu_ps(p, v); }
inline Doubles widen(HalfFloats v) { return _mm256_cvtps_pd(v); }
inline HalfFloats narrow(Doubles v) { return _mm256_cvtpd_ps(v); }
inline HalfFloats lowHalf(Floats v) { return _mm256_castps256_ps128(v); }
inline HalfFloats highHalf(Floats v) { return _mm256_extractf128_ps(v, 1); }
inline Floats joinHalves(HalfFloats low, HalfFloats high) {
    return _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
}
// (a0, b0, a1, b1, ..): left and right samples into pairs.
inline Floats interleave(HalfFloats a, HalfFloats b) {
    return joinHalves(_mm_unpacklo_ps(a, b), _mm_unpackhi_ps(a, b));
}
// Pairs back into the even (left) and the odd (right) entries.
inline void splitPairs(Floats v, HalfFloats& evens, HalfFloats& odds) {
    const __m128 a = lowHalf(v), b = highHalf(v);
    evens = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    odds = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
}

// w[0], w[0], w[1], w[1], ..: one real factor for both parts of each value.
inline Floats eachTwice(const float* w) {
    return _mm256_permutevar8x32_ps(_mm256_castps128_ps256(_mm_loadu_ps(w)),
                                    _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3));
}

// (im, re) of each value.
inline Floats swapParts(Floats z) { return _mm256_permute_ps(z, 0xB1); }

// sigma i z: (-im, re) for the forward direction, (im, -re) for the inverse.
template <bool Inverse>
inline Floats timesSigmaI(Floats z) {
    const __m256 negateRe = _mm256_castsi256_ps(_mm256_set1_epi64x(0x0000000080000000LL));
    const __m256 negateIm = _mm256_castsi256_ps(_mm256_set1_epi64x(INT64_MIN));
    return _mm256_xor_ps(swapParts(z), Inverse ? negateIm : negateRe);
}

// z times the constant c + i sigma s: both products rounded, then summed.
template <bool Inverse>
inline Floats rotate(Floats z, float c, float s) {
    const __m256 product = _mm256_mul_ps(z, _mm256_set1_ps(c));
    const __m256 cross = _mm256_mul_ps(swapParts(z), _mm256_setr_ps(-s, s, -s, s, -s, s, -s, s));
    return Inverse ? _mm256_sub_ps(product, cross) : _mm256_add_ps(product, cross);
}

// Writes kLanes blocks of values q[0..count), block l taking lane l of each
// (count a multiple of 4): 4 x 4 transposes of complex values.
inline void storeLanes(float* const* blocks, const Floats* q, size_t count) {
    for (size_t g = 0; g < count; g += 4) {
        const __m256d a = _mm256_castps_pd(q[g]), b = _mm256_castps_pd(q[g + 1]);
        const __m256d c = _mm256_castps_pd(q[g + 2]), d = _mm256_castps_pd(q[g + 3]);
        const __m256d ab0 = _mm256_unpacklo_pd(a, b), ab1 = _mm256_unpackhi_pd(a, b);
        const __m256d cd0 = _mm256_unpacklo_pd(c, d), cd1 = _mm256_unpackhi_pd(c, d);
        _mm256_storeu_pd(reinterpret_cast<double*>(blocks[0] + 2 * g),
                         _mm256_permute2f128_pd(ab0, cd0, 0x20));
        _mm256_storeu_pd(reinterpret_cast<double*>(blocks[1] + 2 * g),
                         _mm256_permute2f128_pd(ab1, cd1, 0x20));
        _mm256_storeu_pd(reinterpret_cast<double*>(blocks[2] + 2 * g),
                         _mm256_permute2f128_pd(ab0, cd0, 0x31));
        _mm256_storeu_pd(reinterpret_cast<double*>(blocks[3] + 2 * g),
                         _mm256_permute2f128_pd(ab1, cd1, 0x31));
    }
}

// Leaves the 256-bit registers clean for SSE code that follows.
inline void endLanes() { _mm256_zeroupper(); }

inline Bits noBits() { return _mm256_setzero_si256(); }
// The larger of largest and the bit patterns of |v|, lane by lane.
inline Bits largerBits(Bits largest, Floats v) {
    const Bits magnitude = _mm256_and_si256(_mm256_castps_si256(v), _mm256_set1_epi32(0x7FFFFFFF));
    return _mm256_max_epu32(largest, magnitude);
}

#elif ZINDRA_LANES == 2

constexpr int kLanes = 2;  // complex values per register

using Floats = __m128;
using Doubles = __m128d;  // two doubles
using Bits = __m128i;

inline Floats load(const float* p) { return _mm_loadu_ps(p); }
inline void store(float* p, Floats v) { _mm_storeu_ps(p, v); }
inline Floats add(Floats a, Floats b) { return _mm_add_ps(a, b); }
inline Floats sub(Floats a, Floats b) { return _mm_sub_ps(a, b); }
inline Floats mul(Floats a, Floats b) { return _mm_mul_ps(a, b); }
inline Floats splat(float x) { return _mm_set1_ps(x); }
inline Doubles splatDouble(double x) { return _mm_set1_pd(x); }
inline Doubles add(Doubles a, Doubles b) { return _mm_add_pd(a, b); }
inline Doubles sub(Doubles a, Doubles b) { return _mm_sub_pd(a, b); }
inline Doubles mul(Doubles a, Doubles b) { return _mm_mul_pd(a, b); }

// Samples: kLanes floats of one channel (the low half of a register), and
// their doubles.
using HalfFloats = __m128;
inline HalfFloats loadHalf(const float* p) {
    return _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p)));
}
inline void storeHalf(float* p, HalfFloats v) { _mm_storel_pi(reinterpret_cast<__m64*>(p), v); }
inline Doubles widen(HalfFloats v) { return _mm_cvtps_pd(v); }
inline HalfFloats narrow(Doubles v) { return _mm_cvtpd_ps(v); }
inline HalfFloats lowHalf(Floats v) { return v; }
inline HalfFloats highHalf(Floats v) { return _mm_movehl_ps(v, v); }
inline Floats joinHalves(HalfFloats low, HalfFloats high) { return _mm_movelh_ps(low, high); }
// (a0, b0, a1, b1): left and right samples into pairs.
inline Floats interleave(HalfFloats a, HalfFloats b) { return _mm_unpacklo_ps(a, b); }
// Pairs back into the even (left) and the odd (right) entries.
inline void splitPairs(Floats v, HalfFloats& evens, HalfFloats& odds) {
    evens = _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 1, 2, 0));
    odds = highHalf(evens);
}

// w[0], w[0], w[1], w[1]: one real factor for both parts of each value.
inline Floats eachTwice(const float* w) {
    const __m128 two = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(w)));
    return _mm_unpacklo_ps(two, two);
}

// (im, re) of each value.
inline Floats swapParts(Floats z) { return _mm_shuffle_ps(z, z, _MM_SHUFFLE(2, 3, 0, 1)); }

// sigma i z: (-im, re) for the forward direction, (im, -re) for the inverse.
template <bool Inverse>
inline Floats timesSigmaI(Floats z) {
    const __m128 negateRe = _mm_castsi128_ps(_mm_set_epi32(0, INT32_MIN, 0, INT32_MIN));
    const __m128 negateIm = _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, INT32_MIN, 0));
    return _mm_xor_ps(swapParts(z), Inverse ? negateIm : negateRe);
}

// z times the constant c + i sigma s: both products rounded, then summed.
template <bool Inverse>
inline Floats rotate(Floats z, float c, float s) {
    const __m128 product = _mm_mul_ps(z, _mm_set1_ps(c));
    const __m128 cross = _mm_mul_ps(swapParts(z), _mm_setr_ps(-s, s, -s, s));
    return Inverse ? _mm_sub_ps(product, cross) : _mm_add_ps(product, cross);
}

// Writes kLanes blocks of values q[0..count), block l taking lane l of each
// (count even).
inline void storeLanes(float* const* blocks, const Floats* q, size_t count) {
    for (size_t p = 0; p < count; p += 2) {
        _mm_storeu_ps(blocks[0] + 2 * p, _mm_movelh_ps(q[p], q[p + 1]));
        _mm_storeu_ps(blocks[1] + 2 * p, _mm_movehl_ps(q[p + 1], q[p]));
    }
}

inline void endLanes() {}

inline Bits noBits() { return _mm_setzero_si128(); }
// The larger of largest and the bit patterns of |v|, lane by lane. Without
// the sign the patterns are below 2^31: the signed comparison serves.
inline Bits largerBits(Bits largest, Floats v) {
    const Bits magnitude = _mm_and_si128(_mm_castps_si128(v), _mm_set1_epi32(0x7FFFFFFF));
    const Bits greater = _mm_cmpgt_epi32(magnitude, largest);
    return _mm_or_si128(_mm_and_si128(greater, magnitude), _mm_andnot_si128(greater, largest));
}

#else
#error "ZINDRA_LANES must be 2, 4 or 8"
#endif

// The largest of the lanes.
inline uint32_t largestOf(Bits v) {
    uint32_t lanes[sizeof(Bits) / sizeof(uint32_t)];
    __builtin_memcpy(lanes, &v, sizeof v);
    uint32_t m = 0;
    for (uint32_t lane : lanes) m = m > lane ? m : lane;
    return m;
}

}  // namespace
