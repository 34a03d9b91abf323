// Vector toolkit, unit VCFstd: building, filling and moving complex vectors.
// Every routine here works only on the vectors it is given and may run on any
// thread, the audio thread included (no allocation, lock or system call).
#pragma once

#include <cstdint>

#include "dsp/VecLib.h"

// The complex value (re, im).
constexpr ComplexF fcplx(float re, float im) { return ComplexF{re, im}; }

// Address of X[i].
inline ComplexF* dpelem(ComplexF* X, uint32_t i) { return X + i; }
inline const ComplexF* dpelem(const ComplexF* X, uint32_t i) { return X + i; }

// X[i] = (0, 0) for i < n.
void dequ0(ComplexF* X, uint32_t n);

// Z[i] = X[i] for i < n. Nothing happens when Z is X; the ranges may overlap
// (the copy acts as if made through a temporary).
void dequv(ComplexF* Z, const ComplexF* X, uint32_t n);

// Z[i x s] = X[i] for i < n, in increasing i, so a copy to a lower address
// within the same vector acts as a shift. n >= 1.
void dsvequV(ComplexF* Z, uint32_t n, uint32_t s, const ComplexF* X);

// Z[i] = (Re[i], Im[i]) for i < n. n >= 1.
void freim2c(ComplexF* Z, const float* Re, const float* Im, uint32_t n);
