// Fast logarithms for the spectrum display, and the rounding every value
// shown or converted goes through. Pure functions: any thread.
#pragma once

#include <cstdint>

// The nearest integer, ties to the even neighbour, independent of the
// current rounding mode; NaN and infinities come back unchanged.
double nearestEven(double value);

// nearestEven as an int32: NaN gives 0; values beyond the range saturate.
int32_t roundHalfEven(double value);

// Piecewise-linear natural logarithm from the bit pattern of x: the pattern
// read as a signed 32-bit integer, less 1064807269 (with wrap-around), times
// 8.262958300113677e-08 (close to ln 2 / 2^23). About ln x + 0.045 near 1.
double fastLn(float x);

// fastLn(x) x 8.685 - 0.3918 rounded to single precision: 20 log10 x within
// about half a decibel (fastDb(0.5) ~ -6.020, fastDb(0) ~ -764.54).
// x is meant to be non-negative; negative values give no meaning.
float fastDb(float x);
