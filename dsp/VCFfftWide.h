// The FFT's first pass and radix-4 passes in 256-bit vectors (AVX2),
// for processors that have them; chosen once per process at run time
// (dsp/VectorCode.h).
// Internal to the FFT. Builds without them (ZINDRA_DSP_WIDE 0) get stand-ins
// that plans never call.
#pragma once

#include <cstdint>

#if ZINDRA_DSP_WIDE

// The out-of-place first pass: blocks of firstRadix = 4, 8 or 16 from the
// input gathered in bit-reversed order, times scale; n >= 4 firstRadix.
// gather holds the bit-reversal of m for blocks of 4 (even L) or 8 (odd L);
// blocks of 16 use it too.
void fftWideFirstPass(float* y, const float* x, uint32_t n, uint32_t firstRadix,
                      const uint32_t* gather, float scale, bool inverse);

// The radix-4 passes s = span, 4 span, .. n/4 over y (n complex values as
// floats), twiddles from the table of pass span on, four (Re, Im) pairs per
// register and q.
void fftWidePasses(float* y, uint32_t n, uint32_t span, const float* twiddles, bool inverse);

#else

inline void fftWideFirstPass(float*, const float*, uint32_t, uint32_t, const uint32_t*, float,
                             bool) {}
inline void fftWidePasses(float*, uint32_t, uint32_t, const float*, bool) {}

#endif
