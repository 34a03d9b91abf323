// The FFT's radix-4 passes in 256-bit vectors (AVX2 and FMA), for processors
// that have them; chosen once per process at run time. Internal to the FFT.
#pragma once

#include <cstdint>

// True when this build carries the wide passes and the processor and the
// operating system support them.
bool fftWidePassesAvailable();

// The radix-4 passes s = firstRadix, 4 firstRadix, .. n/4 over y (n complex
// values as floats), twiddles laid out for four complex values per register.
void fftWidePasses(float* y, uint32_t n, uint32_t firstRadix, const float* twiddles,
                   bool inverse);
