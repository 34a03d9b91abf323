// Filling and moving real vectors. The loops are written plainly for the
// compiler to vectorise (this library is built with -O3).
#include "dsp/VFstd.h"

#include <cstddef>
#include <cstring>

// All-zero bytes are +0.0; one memset for the reason given at dequ0.
void fequ0(float* X, uint32_t n) {
    if (n > 0) std::memset(X, 0, static_cast<size_t>(n) * sizeof(float));
}

void fequ1(float* X, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) X[i] = 1.0f;
}

void fsvequC(float* X, uint32_t n, uint32_t s, float C) {
    if (n == 0) n = 1;
    if (s == 1) {
        for (uint32_t i = 0; i < n; ++i) X[i] = C;
        return;
    }
    for (uint32_t i = 0; i < n; ++i) X[static_cast<size_t>(i) * s] = C;
}

void freflect(float* W, uint32_t n) {
    const uint32_t half = n / 2;
    for (uint32_t i = 0; i < half; ++i) W[n - 1 - i] = W[i];
}
