// Fast logarithms for the spectrum display.
#include "dsp/Vst_math.h"

#include <cstdint>
#include <cstring>

double fastLn(float x) {
    int32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    // The exponent and mantissa fields read as one integer are a piecewise-
    // linear log2 scaled by 2^23; the offset centres it near 1.
    const int32_t shifted =
        static_cast<int32_t>(static_cast<uint32_t>(bits) - static_cast<uint32_t>(1064807269));
    return static_cast<double>(shifted) * 8.262958300113677e-08;
}

float fastDb(float x) { return static_cast<float>(fastLn(x) * 8.685 - 0.3918); }
