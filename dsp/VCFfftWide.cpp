// The FFT's radix-4 passes in 256-bit vectors: the same butterfly as the
// SSE2 passes in VCFfft.cpp, four complex values per register, and the twiddle
// product with fused multiply-add. This file alone is compiled for AVX2 and
// FMA; it uses no library templates, so no code for those instructions can be
// shared with (and reached from) the rest of the program.
#include <immintrin.h>

#include "dsp/VCFfftWide.h"

namespace {

inline __m256 swapParts(__m256 z) { return _mm256_permute_ps(z, 0xB1); }

template <bool Inverse>
inline __m256 timesSigmaI(__m256 z) {
    const __m256 negateRe = _mm256_castsi256_ps(_mm256_set1_epi64x(0x0000000080000000LL));
    const __m256 negateIm = _mm256_castsi256_ps(_mm256_set1_epi64x(INT64_MIN));
    return _mm256_xor_ps(swapParts(z), Inverse ? negateIm : negateRe);
}

template <bool Inverse>
inline __m256 twiddle(__m256 z, const float* w) {
    const __m256 product = _mm256_mul_ps(z, _mm256_load_ps(w));
    return Inverse ? _mm256_fnmadd_ps(swapParts(z), _mm256_load_ps(w + 8), product)
                   : _mm256_fmadd_ps(swapParts(z), _mm256_load_ps(w + 8), product);
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
        for (uint32_t j = 0; j < stride; j += 8, w += 48) {
            const __m256 e0 = _mm256_loadu_ps(p0 + j);
            const __m256 t2 = twiddle<Inverse>(_mm256_loadu_ps(p1 + j), w + 16);
            const __m256 t1 = twiddle<Inverse>(_mm256_loadu_ps(p2 + j), w);
            const __m256 t3 = twiddle<Inverse>(_mm256_loadu_ps(p3 + j), w + 32);
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
void passes(float* y, uint32_t n, uint32_t firstRadix, const float* tw) {
    for (uint32_t s = firstRadix; 4 * s <= n; s *= 4) {
        radix4Pass<Inverse>(y, n, s, tw);
        tw += 12 * s;
    }
    _mm256_zeroupper();
}

}  // namespace

bool fftWidePassesAvailable() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

void fftWidePasses(float* y, uint32_t n, uint32_t firstRadix, const float* twiddles,
                   bool inverse) {
    if (inverse)
        passes<true>(y, n, firstRadix, twiddles);
    else
        passes<false>(y, n, firstRadix, twiddles);
}
