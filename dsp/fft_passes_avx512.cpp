// The FFT's passes in 512-bit vectors (AVX-512), eight complex values per
// register, rounded exactly as the SSE2 passes: the sets give the same bits.
#include "dsp/fft_passes.h"

#include "dsp/fft_passes_body.h"

const FftPasses& fftPassesAvx512() {
    static constexpr FftPasses kPasses{outOfPlaceFirstPass, radix4Passes, kLanes};
    return kPasses;
}
