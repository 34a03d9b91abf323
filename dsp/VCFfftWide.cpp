// The FFT's first pass and radix-4 passes in 256-bit vectors, four complex
// values per register. Twiddle products are rounded as in the SSE2 passes,
// each product on its own and then the sum, never fused: a fused product
// treats the real and imaginary parts unequally, and the transform of a
// stereo frame with identical channels must give bins n - k and k with
// exactly swapped parts, so that the two channels split from it have equal
// magnitudes bit for bit (the centre-angle selection at "Spread" 0). The
// butterflies are those of VCFfft.cpp (see the mathematics there), written out
// again instead of shared through templates: this file alone is compiled for
// AVX2 and FMA, and code instantiated in both files could be merged by the
// linker and reached on processors without those instructions. For the same
// reason it uses no library templates.
#include "dsp/VCFfftWide.h"

#include <immintrin.h>

namespace {

inline __m256 swapParts(__m256 z) { return _mm256_permute_ps(z, 0xB1); }

inline __m256 negated(__m256 z) { return _mm256_xor_ps(z, _mm256_set1_ps(-0.0f)); }

template <bool Inverse>
inline __m256 timesSigmaI(__m256 z) {
    const __m256 negateRe = _mm256_castsi256_ps(_mm256_set1_epi64x(0x0000000080000000LL));
    const __m256 negateIm = _mm256_castsi256_ps(_mm256_set1_epi64x(INT64_MIN));
    return _mm256_xor_ps(swapParts(z), Inverse ? negateIm : negateRe);
}

// z w, or z conj(w) for the inverse, with four twiddles w stored as
// (Re, Im) pairs.
template <bool Inverse>
inline __m256 twiddle(__m256 z, const float* w) {
    const __m256 re = _mm256_moveldup_ps(_mm256_load_ps(w));
    const __m256 im = _mm256_movehdup_ps(_mm256_load_ps(w));
    const __m256 product = _mm256_mul_ps(z, re);
    const __m256 cross = _mm256_mul_ps(swapParts(z), im);
    // addsub: the real parts subtract, the imaginary parts add; the inverse
    // (conjugated twiddle) the other way round.
    return _mm256_addsub_ps(product, Inverse ? negated(cross) : cross);
}

// Writes four blocks of values q[0..count), block l taking lane l of each:
// 4 x 4 transposes of complex values.
inline void storeLanes(float* const* blocks, const __m256* q, uint32_t count) {
    for (uint32_t g = 0; g < count; g += 4) {
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

// The out-of-place first pass: inputs r .. r + 3 of each of the R strides
// side by side in one register, blocks to their bit-reversed places.
template <bool Inverse, uint32_t R>
void firstPass(float* y, const float* x, uint32_t n, const uint32_t* gather, float scale) {
    const __m256 k = _mm256_set1_ps(scale);
    const __m256 h = _mm256_set1_ps(0.70710678118654752f);
    const uint32_t stride = 2 * (n / R);
    for (uint32_t i = 0; i < n / R; i += 4) {
        __m256 a[R];
        for (uint32_t p = 0; p < R; ++p)
            a[p] = _mm256_mul_ps(_mm256_loadu_ps(x + 2 * i + p * stride), k);
        __m256 q[R];
        if constexpr (R == 4) {
            const __m256 u0 = _mm256_add_ps(a[0], a[2]), u1 = _mm256_sub_ps(a[0], a[2]);
            const __m256 v0 = _mm256_add_ps(a[1], a[3]);
            const __m256 v1 = timesSigmaI<Inverse>(_mm256_sub_ps(a[1], a[3]));
            q[0] = _mm256_add_ps(u0, v0);
            q[1] = _mm256_add_ps(u1, v1);
            q[2] = _mm256_sub_ps(u0, v0);
            q[3] = _mm256_sub_ps(u1, v1);
        } else {
            const __m256 eu0 = _mm256_add_ps(a[0], a[4]), eu1 = _mm256_sub_ps(a[0], a[4]);
            const __m256 ev0 = _mm256_add_ps(a[2], a[6]);
            const __m256 ev1 = timesSigmaI<Inverse>(_mm256_sub_ps(a[2], a[6]));
            const __m256 ou0 = _mm256_add_ps(a[1], a[5]), ou1 = _mm256_sub_ps(a[1], a[5]);
            const __m256 ov0 = _mm256_add_ps(a[3], a[7]);
            const __m256 ov1 = timesSigmaI<Inverse>(_mm256_sub_ps(a[3], a[7]));
            const __m256 e0 = _mm256_add_ps(eu0, ev0), e2 = _mm256_sub_ps(eu0, ev0);
            const __m256 e1 = _mm256_add_ps(eu1, ev1), e3 = _mm256_sub_ps(eu1, ev1);
            const __m256 o0 = _mm256_add_ps(ou0, ov0), o2 = _mm256_sub_ps(ou0, ov0);
            const __m256 o1 = _mm256_add_ps(ou1, ov1), o3 = _mm256_sub_ps(ou1, ov1);
            const __m256 t1 = _mm256_mul_ps(_mm256_add_ps(o1, timesSigmaI<Inverse>(o1)), h);
            const __m256 t2 = timesSigmaI<Inverse>(o2);
            const __m256 t3 = _mm256_mul_ps(_mm256_sub_ps(timesSigmaI<Inverse>(o3), o3), h);
            q[0] = _mm256_add_ps(e0, o0);
            q[1] = _mm256_add_ps(e1, t1);
            q[2] = _mm256_add_ps(e2, t2);
            q[3] = _mm256_add_ps(e3, t3);
            q[4] = _mm256_sub_ps(e0, o0);
            q[5] = _mm256_sub_ps(e1, t1);
            q[6] = _mm256_sub_ps(e2, t2);
            q[7] = _mm256_sub_ps(e3, t3);
        }
        float* const blocks[4] = {y + 2 * R * gather[i], y + 2 * R * gather[i + 1],
                                  y + 2 * R * gather[i + 2], y + 2 * R * gather[i + 3]};
        storeLanes(blocks, q, R);
    }
}

// z times the constant e^(i sigma 2 pi e / 16) = c + i sigma s.
template <bool Inverse>
inline __m256 rotate(__m256 z, float c, float s) {
    const __m256 product = _mm256_mul_ps(z, _mm256_set1_ps(c));
    const __m256 sines = _mm256_setr_ps(-s, s, -s, s, -s, s, -s, s);
    const __m256 cross = _mm256_mul_ps(swapParts(z), sines);
    return Inverse ? _mm256_sub_ps(product, cross) : _mm256_add_ps(product, cross);
}

// Length-4 DFT of (c0, c1, c2, c3) into out[0], out[step], out[2 step], out[3 step].
template <bool Inverse>
inline void dft4(__m256 c0, __m256 c1, __m256 c2, __m256 c3, __m256* out, uint32_t step) {
    const __m256 u0 = _mm256_add_ps(c0, c2), u1 = _mm256_sub_ps(c0, c2);
    const __m256 v0 = _mm256_add_ps(c1, c3), v1 = timesSigmaI<Inverse>(_mm256_sub_ps(c1, c3));
    out[0] = _mm256_add_ps(u0, v0);
    out[step] = _mm256_add_ps(u1, v1);
    out[2 * step] = _mm256_sub_ps(u0, v0);
    out[3 * step] = _mm256_sub_ps(u1, v1);
}

// The out-of-place first pass for even L and n >= 64: blocks of 16, each the
// length-16 DFT of x[r + p n/16] taken as 4 x 4 (p = 4 p1 + p2): length-4
// DFTs over p1, the twiddles W16^(p2 k1), length-4 DFTs over p2. This takes
// the place of the blocks of 4 and the first radix-4 pass (s = 4).
template <bool Inverse>
void firstPass16(float* y, const float* x, uint32_t n, const uint32_t* gather, float scale) {
    const __m256 k = _mm256_set1_ps(scale);
    const uint32_t stride = 2 * (n / 16);
    const float c1 = 0.92387953251128674f, s1 = 0.38268343236508977f;  // pi / 8
    const float h = 0.70710678118654752f;
    for (uint32_t i = 0; i < n / 16; i += 4) {
        __m256 b[16];  // b[4 p2 + k1]
        for (uint32_t p2 = 0; p2 < 4; ++p2) {
            const float* base = x + 2 * i + p2 * stride;
            dft4<Inverse>(_mm256_mul_ps(_mm256_loadu_ps(base), k),
                          _mm256_mul_ps(_mm256_loadu_ps(base + 4 * stride), k),
                          _mm256_mul_ps(_mm256_loadu_ps(base + 8 * stride), k),
                          _mm256_mul_ps(_mm256_loadu_ps(base + 12 * stride), k), b + 4 * p2, 1);
        }
        b[5] = rotate<Inverse>(b[5], c1, s1);      // W^1
        b[6] = rotate<Inverse>(b[6], h, h);        // W^2
        b[7] = rotate<Inverse>(b[7], s1, c1);      // W^3
        b[9] = rotate<Inverse>(b[9], h, h);        // W^2
        b[10] = timesSigmaI<Inverse>(b[10]);       // W^4
        b[11] = rotate<Inverse>(b[11], -h, h);     // W^6
        b[13] = rotate<Inverse>(b[13], s1, c1);    // W^3
        b[14] = rotate<Inverse>(b[14], -h, h);     // W^6
        b[15] = rotate<Inverse>(b[15], -c1, -s1);  // W^9
        __m256 q[16];                              // q[k1 + 4 k2]
        for (uint32_t k1 = 0; k1 < 4; ++k1)
            dft4<Inverse>(b[k1], b[4 + k1], b[8 + k1], b[12 + k1], q + k1, 4);
        // Block m of 16 lies at 16 rev(m) in L - 4 bits = 4 gather[m].
        float* const blocks[4] = {y + 8 * gather[i], y + 8 * gather[i + 1], y + 8 * gather[i + 2],
                                  y + 8 * gather[i + 3]};
        storeLanes(blocks, q, 16);
    }
}

template <bool Inverse>
void radix4Pass(float* y, uint32_t n, uint32_t s, const float* tw) {
    const uint32_t stride = 2 * s;
    for (uint32_t k = 0; k < n; k += 4 * s) {
        float* p0 = y + 2 * static_cast<uintptr_t>(k);
        float* p1 = p0 + stride;
        float* p2 = p1 + stride;
        float* p3 = p2 + stride;
        const float* w = tw;
        for (uint32_t j = 0; j < stride; j += 8, w += 24) {
            const __m256 e0 = _mm256_loadu_ps(p0 + j);
            const __m256 t2 = twiddle<Inverse>(_mm256_loadu_ps(p1 + j), w + 8);
            const __m256 t1 = twiddle<Inverse>(_mm256_loadu_ps(p2 + j), w);
            const __m256 t3 = twiddle<Inverse>(_mm256_loadu_ps(p3 + j), w + 16);
            const __m256 u0 = _mm256_add_ps(e0, t2), u1 = _mm256_sub_ps(e0, t2);
            const __m256 v0 = _mm256_add_ps(t1, t3);
            const __m256 v1 = timesSigmaI<Inverse>(_mm256_sub_ps(t1, t3));
            _mm256_storeu_ps(p0 + j, _mm256_add_ps(u0, v0));
            _mm256_storeu_ps(p2 + j, _mm256_sub_ps(u0, v0));
            _mm256_storeu_ps(p1 + j, _mm256_add_ps(u1, v1));
            _mm256_storeu_ps(p3 + j, _mm256_sub_ps(u1, v1));
        }
    }
}

template <bool Inverse>
void passes(float* y, uint32_t n, uint32_t span, const float* tw) {
    for (uint32_t s = span; 4 * s <= n; s *= 4) {
        radix4Pass<Inverse>(y, n, s, tw);
        tw += 6 * s;
    }
    _mm256_zeroupper();
}

}  // namespace

bool fftWidePassesAvailable() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

void fftWideFirstPass(float* y, const float* x, uint32_t n, uint32_t firstRadix,
                      const uint32_t* gather, float scale, bool inverse) {
    if (firstRadix == 16)
        inverse ? firstPass16<true>(y, x, n, gather, scale)
                : firstPass16<false>(y, x, n, gather, scale);
    else if (firstRadix == 4)
        inverse ? firstPass<true, 4>(y, x, n, gather, scale)
                : firstPass<false, 4>(y, x, n, gather, scale);
    else
        inverse ? firstPass<true, 8>(y, x, n, gather, scale)
                : firstPass<false, 8>(y, x, n, gather, scale);
}

void fftWidePasses(float* y, uint32_t n, uint32_t span, const float* twiddles, bool inverse) {
    if (inverse)
        passes<true>(y, n, span, twiddles);
    else
        passes<false>(y, n, span, twiddles);
}
