// The FFT's first pass and radix-4 passes in 256-bit vectors, four complex
// values per register. This file alone is compiled for AVX2; the passes are
// those of fft_passes_body.h, built here a second time with internal linkage.
// Twiddle products are rounded as in the SSE2 passes, each product on its own
// and then the sum, never fused: a fused product treats the real and
// imaginary parts unequally, and the transform of a stereo frame with
// identical channels must give bins n - k and k with exactly swapped parts,
// so that the two channels split from it have equal magnitudes bit for bit
// (the centre-angle selection at "Spread" 0).
#include "dsp/VCFfftWide.h"

#include "dsp/fft_passes_body.h"

void fftWideFirstPass(float* y, const float* x, uint32_t n, uint32_t firstRadix,
                      const uint32_t* gather, float scale, bool inverse) {
    outOfPlaceFirstPass(y, x, n, firstRadix, gather, scale, inverse);
}

void fftWidePasses(float* y, uint32_t n, uint32_t span, const float* twiddles, bool inverse) {
    radix4Passes(y, n, span, twiddles, inverse);
}
