// Filling and moving complex vectors.
#include "dsp/VCFstd.h"

#include <cstddef>
#include <cstring>

// All-zero bytes are +0.0 in both parts. One memset: the optimiser makes the
// same of a loop, but sanitized and fuzzing builds check every element of a
// loop (a megabyte per engine reset) where they check a memset once.
void dequ0(ComplexF* X, uint32_t n) {
    if (n > 0) std::memset(X, 0, static_cast<size_t>(n) * sizeof(ComplexF));
}

void dequv(ComplexF* Z, const ComplexF* X, uint32_t n) {
    if (Z == X || n == 0) return;
    std::memmove(Z, X, static_cast<size_t>(n) * sizeof(ComplexF));
}

void dsvequV(ComplexF* Z, uint32_t n, uint32_t s, const ComplexF* X) {
    if (n == 0) n = 1;
    // Element by element in increasing i, as the contract orders it: a copy
    // to a lower address in the same vector is a shift.
    for (uint32_t i = 0; i < n; ++i) Z[static_cast<size_t>(i) * s] = X[i];
}

void freim2c(ComplexF* Z, const float* Re, const float* Im, uint32_t n) {
    if (n == 0) n = 1;
    for (uint32_t i = 0; i < n; ++i) Z[i] = ComplexF{Re[i], Im[i]};
}
