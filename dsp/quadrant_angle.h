// The single-precision arctangent of fc2pol and of the frame kernels' angle
// selection, for one float or four in an __m128 (whose operators are the
// intrinsics' arithmetic and whose comparisons give lane masks), so that both
// round alike. Measured against double-precision atan2: within 3 units in the
// last place.
//
// Internal linkage, as for dsp/simd_lanes.h: the frame kernels include this
// once per instruction set, and the linker must never pick one build's copy
// for another's.
#pragma once

#include <xmmintrin.h>

namespace {

// a > b ? a : b, and a < b ? a : b; for vectors the instructions that do
// just that.
inline float larger(float a, float b) { return a > b ? a : b; }
inline float smaller(float a, float b) { return a < b ? a : b; }
inline __m128 larger(__m128 a, __m128 b) { return _mm_max_ps(a, b); }
inline __m128 smaller(__m128 a, __m128 b) { return _mm_min_ps(a, b); }

// atan2(y, x) for finite y, x >= 0, not both 0. With t the smaller over the
// larger: an odd minimax polynomial for atan t up to tan(pi/8); above, atan t
// = pi/4 + atan((t - 1)/(t + 1)), whose argument is taken as
// (smaller - larger)/(smaller + larger) in one division. Where y is the
// larger, pi/2 less that.
template <typename V>
inline V quadrantAngle(V y, V x) {
    const V mx = larger(y, x), mn = smaller(x, y);
    const auto big = mn > mx * 0.41421356237f;
    const V t = (big ? mn - mx : mn) / (big ? mn + mx : mx);
    const V z = t * t;
    V p = 8.05374449538e-2f * z - 1.38776856032e-1f;
    p = p * z + 1.99777106478e-1f;
    p = p * z - 3.33329491539e-1f;
    p = p * z * t + t;
    const V none{};
    const V a = (big ? none + 0.78539816339744831f : none) + p;
    return y > x ? 1.57079632679489662f - a : a;
}

}  // namespace
