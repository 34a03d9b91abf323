// The FFT's out-of-place first pass and radix-4 passes, once per instruction
// set (dsp/fft_passes_body.h built three times). A plan's twiddle tables are
// laid out for one set: the process makes the plans of its own code (as
// dsp/VectorCode.h says), and those of another code only when cfpFFTUsing
// asks for them. Internal to the FFT.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dsp/VecLib.h"
#include "dsp/VectorCode.h"

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
    // Complex values per register.
    size_t lanes;
};

const FftPasses& fftPassesSse2();
#if ZINDRA_WIDE_VECTORS
const FftPasses& fftPassesAvx2();
const FftPasses& fftPassesAvx512();
#endif

// cfpFFT with the passes of code, or of the widest code below it that this
// processor and size allow, whatever ZINDRA_VECTOR_CODE says; returns the
// code used. For tests and benchmarks that compare the sets in one process.
VectorCode cfpFFTUsing(VectorCode code, ComplexF* Y, const ComplexF* X, uint32_t n, int direction);
