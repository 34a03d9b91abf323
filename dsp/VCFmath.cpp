// Arithmetic on complex vectors and magnitudes (polar form: VCFpolar.cpp;
// the FFT: VCFfft.cpp).
#include "dsp/VCFmath.h"

#include <emmintrin.h>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "dsp/VecLib.h"

namespace {

// Smallest double that rounds to infinity in single precision: FLT_MAX plus
// half its unit in the last place. Anything below it rounds to a finite float.
constexpr double kSingleOverflow = 0x1.ffffffp+127;

float largestFloat() {
    const uint32_t bits = 0x7F7FFFFFu;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// One magnitude in double precision, rounded once; flags an overflow of the
// single-precision range (finite parts, result beyond FLT_MAX).
float magnitude(ComplexF x, bool& overflow) {
    const double re = x.re, im = x.im;
    const double m = std::sqrt(re * re + im * im);
    if (m >= kSingleOverflow && m <= DBL_MAX) {
        overflow = true;
        return largestFloat();
    }
    return static_cast<float>(m);
}

}  // namespace

void cfsubv(ComplexF* Z, const ComplexF* X, const ComplexF* Y, uint32_t n) {
    float* z = &Z->re;
    const float* x = &X->re;
    const float* y = &Y->re;
    const size_t count = static_cast<size_t>(n) * 2;
    for (size_t i = 0; i < count; ++i) z[i] = x[i] - y[i];
}

void cfmulReV(ComplexF* Z, const ComplexF* X, const float* Y, uint32_t n) {
    if (n == 0) n = 1;
    for (uint32_t i = 0; i < n; ++i) {
        // One rounding of a product of floats: the same in single as in double.
        Z[i].re = X[i].re * Y[i];
        Z[i].im = X[i].im * Y[i];
    }
}

void cfxaddv(ComplexF* Z, const ComplexF* X, const ComplexF* Y, uint32_t n, ComplexF A,
             ComplexF B) {
    if (n == 0) n = 1;
    const double ar = A.re, ai = A.im, br = B.re, bi = B.im;
    for (uint32_t i = 0; i < n; ++i) {
        const double xr = X[i].re, xi = X[i].im;
        const double yr = Y[i].re, yi = Y[i].im;
        Z[i].re = static_cast<float>(ar * xr - ai * xi + br + yr);
        Z[i].im = static_cast<float>(ar * xi + ai * xr + bi + yi);
    }
}

void cfsvaddV(ComplexF* Z, uint32_t n, uint32_t s, const ComplexF* Y) {
    if (n == 0) n = 1;
    for (uint32_t i = 0; i < n; ++i) {
        ComplexF& z = Z[static_cast<size_t>(i) * s];
        z.re = z.re + Y[i].re;
        z.im = z.im + Y[i].im;
    }
}

int cfabs(float* M, const ComplexF* X, uint32_t n) {
    if (n == 0) n = 1;
    bool overflow = false;
    uint32_t i = 0;
    // Two elements per step in double precision; a step with a magnitude at or
    // beyond the overflow threshold (or infinite or NaN) is redone one by one.
    const __m128d threshold = _mm_set1_pd(kSingleOverflow);
    const float* x = &X->re;
    for (; i + 2 <= n; i += 2) {
        const __m128 v = _mm_loadu_ps(x + 2 * i);             // r0 i0 r1 i1
        const __m128d a = _mm_cvtps_pd(v);                    // r0 i0
        const __m128d b = _mm_cvtps_pd(_mm_movehl_ps(v, v));  // r1 i1
        const __m128d aa = _mm_mul_pd(a, a), bb = _mm_mul_pd(b, b);
        const __m128d sum = _mm_add_pd(_mm_unpacklo_pd(aa, bb), _mm_unpackhi_pd(aa, bb));
        const __m128d m = _mm_sqrt_pd(sum);
        // Not (m < threshold) also catches NaN.
        if (_mm_movemask_pd(_mm_cmpnlt_pd(m, threshold)) != 0) {
            M[i] = magnitude(X[i], overflow);
            M[i + 1] = magnitude(X[i + 1], overflow);
            continue;
        }
        _mm_storel_pi(reinterpret_cast<__m64*>(M + i), _mm_cvtpd_ps(m));
    }
    for (; i < n; ++i) M[i] = magnitude(X[i], overflow);
    if (overflow) V_mathError("VCF_abs", VecMathError::Overflow);
    return overflow ? 1 : 0;
}
