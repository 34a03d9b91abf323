// Vector toolkit, unit VFstd: filling and moving real vectors.
// Every routine here works only on the vectors it is given and may run on any
// thread, the audio thread included (no allocation, lock or system call).
#pragma once

#include <cstdint>

#include "dsp/VecLib.h"

// Address of X[i].
inline float* fpelem(float* X, uint32_t i) { return X + i; }
inline const float* fpelem(const float* X, uint32_t i) { return X + i; }

// X[i] = 0.0 for i < n.
void fequ0(float* X, uint32_t n);

// X[i] = 1.0 for i < n.
void fequ1(float* X, uint32_t n);

// X[i x s] = C for i < n; n >= 1 (n = 0 writes X[0]).
void fsvequC(float* X, uint32_t n, uint32_t s, float C);

// Mirrors the first half onto the second: W[n - 1 - i] = W[i] for
// i < n / 2 (integer division), in increasing i.
void freflect(float* W, uint32_t n);
