// The line every benchmark prints under its figures: which processor ran
// them and which vector code it ran.
#pragma once

#include <cstdio>

#include "dsp/VCFmath.h"
#include "dsp/VectorCode.h"

namespace bench {

// "Processor: <name>; FFT passes AVX-512, frame kernels AVX2" (no kernels
// part when kernels is null).
inline void printVectorCode(uint32_t fftSize, const char* kernels) {
    std::printf("Processor: %s; FFT passes %s", processorName().c_str(),
                vectorCodeName(cfpFFTVectorCode(fftSize)));
    if (kernels) std::printf(", frame kernels %s", kernels);
    std::printf("\n");
}

}  // namespace bench
