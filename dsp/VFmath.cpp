// Arithmetic on real vectors.
#include "dsp/VFmath.h"

#include <cmath>

#include "dsp/VFstd.h"

void fsubv(float* Z, const float* X, const float* Y, uint32_t n) {
    // One rounding of a difference of floats: the same in single as in double.
    for (uint32_t i = 0; i < n; ++i) Z[i] = X[i] - Y[i];
}

void fHanning(float* W, uint32_t n) {
    if (n < 2) {
        W[0] = 0.0f;
        return;
    }
    const double pi = 3.14159265358979323846;
    const double step = 2.0 * pi / static_cast<double>(n - 1);
    const uint32_t last = (n - 1) / 2;
    for (uint32_t k = 0; k <= last; ++k)
        W[k] = static_cast<float>(0.5 * (1.0 - std::cos(step * static_cast<double>(k))));
    freflect(W, n);
}

uint32_t fcmpicc(float* Z, const float* X, uint32_t n, float lo, float hi) {
    // Float comparisons are the IEEE order: -0 == +0 and NaN is unordered.
    uint32_t count = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const bool inside = lo <= X[i] && X[i] <= hi;
        Z[i] = inside ? 1.0f : 0.0f;
        count += inside ? 1u : 0u;
    }
    return count;
}
