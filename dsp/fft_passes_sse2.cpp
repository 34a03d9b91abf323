// The FFT's passes in 128-bit vectors (SSE2), two complex values per
// register: the passes every processor can run, and the in-place first pass
// of every plan.
#include "dsp/fft_passes.h"

#include "dsp/fft_passes_body.h"

namespace {

inline Floats loadPair(const float* a, const float* b) {
    const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a));
    return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(b));
}

// Blocks m, m + 1 of R = 4, 8 or 16 (register lanes 0 and 1) read their own
// entries, whose order is the bit-reversal of p.
template <bool Inverse, size_t R>
void inPlaceFirstPass(float* y, size_t n, float scale) {
    static_assert(kLanes == 2);
    constexpr uint32_t bits = R == 4 ? 2 : R == 8 ? 3 : 4;
    size_t offset[R];
    for (uint32_t p = 0; p < R; ++p) offset[p] = 2 * size_t{reverseBits(p, bits)};
    const Floats k = splat(scale);
    for (size_t i = 0; i < n / R; i += 2) {
        float* const blocks[2] = {y + 2 * R * i, y + 2 * R * (i + 1)};
        Floats a[R];
        for (size_t p = 0; p < R; ++p)
            a[p] = mul(loadPair(blocks[0] + offset[p], blocks[1] + offset[p]), k);
        Floats q[R];
        firstBlocks<Inverse, R>(a, q);
        storeLanes(blocks, q, R);
    }
}

template <bool Inverse>
void inPlaceFirstPassOf(float* y, size_t n, size_t span, float scale) {
    if (span == 16)
        inPlaceFirstPass<Inverse, 16>(y, n, scale);
    else if (span == 8)
        inPlaceFirstPass<Inverse, 8>(y, n, scale);
    else
        inPlaceFirstPass<Inverse, 4>(y, n, scale);
}

}  // namespace

const FftPasses& fftPassesSse2() {
    static constexpr FftPasses kPasses{outOfPlaceFirstPass, radix4Passes, kLanes};
    return kPasses;
}

void fftInPlaceFirstPass(float* y, size_t n, size_t span, float scale, bool inverse) {
    if (inverse)
        inPlaceFirstPassOf<true>(y, n, span, scale);
    else
        inPlaceFirstPassOf<false>(y, n, span, scale);
}
