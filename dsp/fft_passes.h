// The FFT's out-of-place first pass and radix-4 passes, once per instruction
// set (dsp/fft_passes_body.h built three times); each plan picks one set when
// it is made, as dsp/VectorCode.h says. Internal to the FFT.
#pragma once

#include <cstddef>
#include <cstdint>

struct FftPasses {
    // Blocks of firstRadix = 4, 8 or 16 from the input gathered in
    // bit-reversed order, times scale; n >= firstRadix x lanes. gather holds
    // the bit-reversal of m for blocks of 4 (even L) or 8 (odd L); blocks of
    // 16 use it too.
    void (*firstPass)(float* y, const float* x, size_t n, size_t firstRadix, const uint32_t* gather,
                      float scale, bool inverse);
    // The radix-4 passes s = span, 4 span, .. n/4 over y (n complex values
    // as floats), twiddles from the table of pass span on (span >= lanes).
    void (*passes)(float* y, size_t n, size_t span, const float* twiddles, bool inverse);
    // Complex values per register. The twiddle table of a pass holds, per
    // that many offsets j and for q = 1, 2, 3, the real parts of W^(q j),
    // each twice, then the imaginary parts as (-Im, Im).
    size_t lanes;
};

const FftPasses& fftPassesSse2();
#if ZINDRA_DSP_WIDE
const FftPasses& fftPassesAvx2();
const FftPasses& fftPassesAvx512();
#endif
