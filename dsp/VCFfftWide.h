// The FFT's radix-4 passes in 256-bit vectors (AVX2 and FMA), for processors
// that have them; chosen once per process at run time. Internal to the FFT.
#pragma once

#include <cstdint>

// True when this build carries the wide passes and the processor and the
// operating system support them.
bool fftWidePassesAvailable();

// The out-of-place first pass: blocks of firstRadix = 4, 8 or 16 from the
// input gathered in bit-reversed order, times scale; n >= 4 firstRadix.
// gather holds the bit-reversal of m for blocks of 4 (even L) or 8 (odd L);
// blocks of 16 use it too.
void fftWideFirstPass(float* y, const float* x, uint32_t n, uint32_t firstRadix,
                      const uint32_t* gather, float scale, bool inverse);

// The radix-4 passes s = span, 4 span, .. n/4 over y (n complex values as
// floats), twiddles from the table of pass span on, laid out for four complex
// values per register.
void fftWidePasses(float* y, uint32_t n, uint32_t span, const float* twiddles, bool inverse);
