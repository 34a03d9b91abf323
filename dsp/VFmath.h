// Vector toolkit, unit VFmath: arithmetic on real vectors.
// Every routine here works only on the vectors it is given and may run on any
// thread, the audio thread included (no allocation, lock or system call).
#pragma once

#include <cstdint>

#include "dsp/VecLib.h"

// Z[i] = X[i] - Y[i] for i < n. Z may be X or Y.
void fsubv(float* Z, const float* X, const float* Y, uint32_t n);

// Symmetric Hann window: W[k] = 0.5 x (1 - cos(2 pi k / (n - 1))) for
// k = 0 .. (n - 1) / 2, then freflect(W, n). W[0] = W[n - 1] = 0. n >= 2.
void fHanning(float* W, uint32_t n);

// Range test: Z[i] = 1.0 if lo <= X[i] <= hi, else 0.0, for i < n. Both bounds
// are inclusive, the order is that of IEEE single-precision values (-0 equals
// +0, a NaN is never in range). Returns how many entries are 1.0.
uint32_t fcmpicc(float* Z, const float* X, uint32_t n, float lo, float hi);
