// Vector toolkit, unit VCFmath: arithmetic on complex vectors, polar form,
// magnitudes and the complex FFT.
//
// Every routine here works only on the vectors it is given and may run on any
// thread, the audio thread included: no allocation, lock or system call. The
// one exception is the first cfpFFT of a size whose plan was not prepared
// (see cfpFFTPrepare). Each result is computed in at least double precision
// and rounded once to single precision, except inside the FFT, whose results
// agree with the exact transform to single-precision rounding.
#pragma once

#include "dsp/VectorCode.h"

#include <cstdint>

#include "dsp/VecLib.h"

// Polar form: for i < n, if both parts of X[i] are zero (of either sign)
// Mag[i] = 0 and Arg[i] = 0; else Mag[i] = sqrt(re^2 + im^2) and
// Arg[i] = atan2(im, re), quadrant-correct in -pi .. pi. n >= 1.
void fc2pol(float* Mag, float* Arg, const ComplexF* X, uint32_t n);

// Rectangular form: Z[i] = (Mag[i] x cos Arg[i], Mag[i] x sin Arg[i]) for
// i < n; when Arg[i] is zero (either sign), not a number, or 2^32 or more in
// magnitude, Z[i] = (Mag[i], 0). n >= 1.
void fpol2c(ComplexF* Z, const float* Mag, const float* Arg, uint32_t n);

// Z[i] = X[i] - Y[i] for i < n. Z may be X or Y.
void cfsubv(ComplexF* Z, const ComplexF* X, const ComplexF* Y, uint32_t n);

// Z[i] = (X[i].re x Y[i], X[i].im x Y[i]) for i < n; Y is real. Z may be X.
// n >= 1.
void cfmulReV(ComplexF* Z, const ComplexF* X, const float* Y, uint32_t n);

// Z[i] = A x X[i] + B + Y[i] for i < n (complex product and sums).
// Z may be X or Y. n >= 1.
void cfxaddv(ComplexF* Z, const ComplexF* X, const ComplexF* Y, uint32_t n, ComplexF A, ComplexF B);

// Z[i x s] = Z[i x s] + Y[i] for i < n. n >= 1.
void cfsvaddV(ComplexF* Z, uint32_t n, uint32_t s, const ComplexF* Y);

// Magnitudes: M[i] = sqrt(re^2 + im^2) for i < n. A magnitude beyond the
// single-precision range is stored as the largest finite float (0x7F7FFFFF),
// reported once as "VCF_abs: OVERFLOW error" (through the audio-safe path of
// the reporter), and the loop goes on. Returns 1 if any result overflowed,
// else 0. Infinite or NaN parts give infinity or NaN, not an overflow. n >= 1.
//
// Overflow is detected arithmetically (the double-precision magnitude is
// compared with the rounding threshold of the single-precision range before it
// is stored), so the routine never raises the processor's overflow exception,
// needs no access to its status flags and leaves the caller's floating-point
// environment untouched.
int cfabs(float* M, const ComplexF* X, uint32_t n);

// Complex FFT of length n, Y may be X (in place).
//
//   direction >= 0:  Y[k] = sum over m of X[m] e^(+2 pi i k m / n), unscaled.
//   direction <  0:  Y[k] = s x sum over m of X[m] e^(-2 pi i k m / n), with
//                    s = 1/n when direction is odd (-1: the inverse of +1) and
//                    s = 1 when it is even.
//
// Bins are in natural order: Y[0] is the DC bin, Y[k] and Y[n - k] the
// frequencies +k and -k. Results agree with the definition to single-precision
// rounding. Y is X or does not overlap it.
//
// n must be a power of two. Any other size is reported as
// "VCFs_FFT: (8) Size must be an integer power of 2." (n < 8) or
// "VCFb_FFT: ..." (n >= 8), and Y is left untouched. The transform needs no
// scratch memory; its twiddle and permutation tables form a plan per size,
// made once per process and shared by every caller. The first call for a size
// that was not prepared makes its plan (allocation); when that memory cannot
// be had, or n is beyond 2^24, "V_vector: (1) Not enough memory." is reported
// and Y is left untouched.
void cfpFFT(ComplexF* Y, const ComplexF* X, uint32_t n, int direction);

// Any thread but the audio thread (engine construction). Makes the plan for
// size n now, so that no later cfpFFT of that size allocates. Returns false
// when n is not a power of two (silently) or when the plan cannot be had
// (memory, or n beyond 2^24: reported as "V_vector: (1) Not enough memory.").
bool cfpFFTPrepare(uint32_t n);

// The vector code of the passes of a transform of size n (dsp/VectorCode.h).
VectorCode cfpFFTVectorCode(uint32_t n);
