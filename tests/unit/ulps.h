// Distance of two floats in units in the last place.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Floats mapped to integers in the same order (-0 and +0 both to 0).
inline int64_t orderedBits(float f) {
    int32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits < 0 ? -static_cast<int64_t>(bits & 0x7FFFFFFF) : bits;
}

inline int64_t ulpsApart(float a, float b) { return std::llabs(orderedBits(a) - orderedBits(b)); }
