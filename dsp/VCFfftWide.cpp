// The FFT's first pass and radix-4 passes in 256-bit vectors, four complex
// values per register, with the twiddle products in fused multiply-add. This
// file alone is compiled for AVX2 and FMA; the passes are those of
// fft_passes_body.h, built here a second time with internal linkage.
#include "dsp/VCFfftWide.h"

#include "dsp/fft_passes_body.h"

bool fftWidePassesAvailable() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

void fftWideFirstPass(float* y, const float* x, uint32_t n, uint32_t firstRadix,
                      const uint32_t* gather, float scale, bool inverse) {
    outOfPlaceFirstPass(y, x, n, firstRadix, gather, scale, inverse);
}

void fftWidePasses(float* y, uint32_t n, uint32_t span, const float* twiddles, bool inverse) {
    radix4Passes(y, n, span, twiddles, inverse);
}
