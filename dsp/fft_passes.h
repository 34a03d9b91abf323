// The FFT's out-of-place first pass and radix-4 passes, once per instruction
// set (dsp/fft_passes_body.h built three times: fft_passes_sse2.cpp,
// fft_passes_avx2.cpp, fft_passes_avx512.cpp). A plan's twiddle tables are
// laid out for one set: the process makes the plans of its own code (as
// dsp/VectorCode.h says), and those of another code only when cfpFFTUsing
// asks for them. Internal to the FFT.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dsp/VecLib.h"
#include "dsp/VectorCode.h"

// Floats of a pass's twiddle table per offset j: for q = 1, 2, 3 the real
// and the imaginary part of W^(q j), each twice (see VCFfft.cpp, makePlan).
constexpr size_t kTwiddleFloatsPerOffset = 12;

// value reversed in its low bits. Internal linkage: it is built into units of
// different instruction sets (see dsp/simd_lanes.h).
namespace {
inline uint32_t reverseBits(uint32_t value, uint32_t bits) {
    uint32_t result = 0;
    for (uint32_t b = 0; b < bits; ++b) {
        result = (result << 1) | (value & 1u);
        value >>= 1;
    }
    return result;
}
}  // namespace

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

// The in-place first pass of every plan, whatever the code of its passes:
// after the bit-reversal swaps, blocks of span = 4, 8 or 16 from their own
// entries, times scale. SSE2, two blocks at a time.
void fftInPlaceFirstPass(float* y, size_t n, size_t span, float scale, bool inverse);
#if ZINDRA_WIDE_VECTORS
const FftPasses& fftPassesAvx2();
const FftPasses& fftPassesAvx512();
#endif

// cfpFFT with the passes of code, or of the widest code below it that this
// processor and size allow, whatever ZINDRA_VECTOR_CODE says; returns the
// code used. For tests and benchmarks that compare the sets in one process.
VectorCode cfpFFTUsing(VectorCode code, ComplexF* Y, const ComplexF* X, uint32_t n, int direction);
