// Fast logarithms and rounding.
#include "dsp/Vst_math.h"

#include <cmath>
#include <cstdint>
#include <cstring>

double nearestEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) return below + 1.0;
    return below;
}

int32_t roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(nearestEven(value));
}

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
