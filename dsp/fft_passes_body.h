// The FFT's butterflies and passes over the lanes of dsp/simd_lanes.h,
// written once and included once by each instruction-set build: VCFfft.cpp
// (SSE2, every processor) and VCFfftWide.cpp (AVX2 and FMA). Everything here
// has internal linkage (see simd_lanes.h). The mathematics are at the top of
// VCFfft.cpp.
#pragma once

#include "dsp/simd_lanes.h"

namespace {

// Floats of twiddle table per offset j of a pass: the three twiddles of
// kLanes offsets fill 24 floats.
constexpr size_t kTwiddleFloatsPerOffset = 24 / kLanes;

// Length-4 DFT of (c0, c1, c2, c3) into out[0], out[step], out[2 step], out[3 step].
template <bool Inverse>
inline void dft4(Floats c0, Floats c1, Floats c2, Floats c3, Floats* out, size_t step) {
    const Floats u0 = add(c0, c2), u1 = sub(c0, c2);
    const Floats v0 = add(c1, c3), v1 = timesSigmaI<Inverse>(sub(c1, c3));
    out[0] = add(u0, v0);
    out[step] = add(u1, v1);
    out[2 * step] = sub(u0, v0);
    out[3 * step] = sub(u1, v1);
}

// Length-8 DFT of a[0..8) into q[0..8), as a radix-2 merge of the length-4
// DFTs of the even and the odd entries.
template <bool Inverse>
inline void dft8(const Floats* a, Floats* q) {
    const Floats h = splat(0.70710678118654752f);
    const Floats eu0 = add(a[0], a[4]), eu1 = sub(a[0], a[4]);
    const Floats ev0 = add(a[2], a[6]), ev1 = timesSigmaI<Inverse>(sub(a[2], a[6]));
    const Floats ou0 = add(a[1], a[5]), ou1 = sub(a[1], a[5]);
    const Floats ov0 = add(a[3], a[7]), ov1 = timesSigmaI<Inverse>(sub(a[3], a[7]));
    const Floats e0 = add(eu0, ev0), e2 = sub(eu0, ev0);
    const Floats e1 = add(eu1, ev1), e3 = sub(eu1, ev1);
    const Floats o0 = add(ou0, ov0), o2 = sub(ou0, ov0);
    const Floats o1 = add(ou1, ov1), o3 = sub(ou1, ov1);
    // The odd half times w^q, w = e^(i sigma pi / 4).
    const Floats t1 = mul(add(o1, timesSigmaI<Inverse>(o1)), h);
    const Floats t2 = timesSigmaI<Inverse>(o2);
    const Floats t3 = mul(sub(timesSigmaI<Inverse>(o3), o3), h);
    q[0] = add(e0, o0);
    q[1] = add(e1, t1);
    q[2] = add(e2, t2);
    q[3] = add(e3, t3);
    q[4] = sub(e0, o0);
    q[5] = sub(e1, t1);
    q[6] = sub(e2, t2);
    q[7] = sub(e3, t3);
}

// The blocks of length R = 4 or 8 of the first pass: q = DFT of a.
template <bool Inverse, size_t R>
inline void firstBlocks(const Floats* a, Floats* q) {
    if constexpr (R == 4)
        dft4<Inverse>(a[0], a[1], a[2], a[3], q, 1);
    else
        dft8<Inverse>(a, q);
}

// The out-of-place first pass for blocks of R = 4 or 8: the inputs r .. r +
// kLanes - 1 of each of the R strides x[r + p n/R] side by side in one
// register, the blocks (one per lane) to their bit-reversed places.
template <bool Inverse, size_t R>
void firstPass(float* y, const float* x, size_t n, const uint32_t* gather, float scale) {
    const Floats k = splat(scale);
    const size_t stride = 2 * (n / R);
    for (size_t i = 0; i < n / R; i += kLanes) {
        Floats a[R];
        for (size_t p = 0; p < R; ++p) a[p] = mul(load(x + 2 * i + p * stride), k);
        Floats q[R];
        firstBlocks<Inverse, R>(a, q);
        float* blocks[kLanes];
        for (size_t l = 0; l < kLanes; ++l) blocks[l] = y + 2 * R * size_t{gather[i + l]};
        storeLanes(blocks, q, R);
    }
}

// The out-of-place first pass for even L and n >= 64: blocks of 16, each the
// length-16 DFT of x[r + p n/16] taken as 4 x 4 (p = 4 p1 + p2): length-4
// DFTs over p1, the twiddles W16^(p2 k1), length-4 DFTs over p2. It takes the
// place of the blocks of 4 and of the radix-4 pass s = 4.
template <bool Inverse>
void firstPass16(float* y, const float* x, size_t n, const uint32_t* gather, float scale) {
    const Floats k = splat(scale);
    const size_t stride = 2 * (n / 16);
    const float c1 = 0.92387953251128674f, s1 = 0.38268343236508977f;  // pi / 8
    const float h = 0.70710678118654752f;
    for (size_t i = 0; i < n / 16; i += kLanes) {
        Floats b[16];  // b[4 p2 + k1]
        for (size_t p2 = 0; p2 < 4; ++p2) {
            const float* base = x + 2 * i + p2 * stride;
            dft4<Inverse>(mul(load(base), k), mul(load(base + 4 * stride), k),
                          mul(load(base + 8 * stride), k), mul(load(base + 12 * stride), k),
                          b + 4 * p2, 1);
        }
        b[5] = rotate<Inverse>(b[5], c1, s1);      // W^1
        b[6] = rotate<Inverse>(b[6], h, h);        // W^2
        b[7] = rotate<Inverse>(b[7], s1, c1);      // W^3
        b[9] = rotate<Inverse>(b[9], h, h);        // W^2
        b[10] = timesSigmaI<Inverse>(b[10]);       // W^4
        b[11] = rotate<Inverse>(b[11], -h, h);     // W^6
        b[13] = rotate<Inverse>(b[13], s1, c1);    // W^3
        b[14] = rotate<Inverse>(b[14], -h, h);     // W^6
        b[15] = rotate<Inverse>(b[15], -c1, -s1);  // W^9
        Floats q[16];                              // q[k1 + 4 k2]
        for (size_t k1 = 0; k1 < 4; ++k1)
            dft4<Inverse>(b[k1], b[4 + k1], b[8 + k1], b[12 + k1], q + k1, 4);
        // Block m of 16 lies at 16 rev(m) in L - 4 bits = 4 gather[m].
        float* blocks[kLanes];
        for (size_t l = 0; l < kLanes; ++l) blocks[l] = y + 8 * size_t{gather[i + l]};
        storeLanes(blocks, q, 16);
    }
}

// One radix-4 pass merging blocks of length s into blocks of length 4s.
template <bool Inverse>
void radix4Pass(float* y, size_t n, size_t s, const float* tw) {
    const size_t stride = 2 * s;  // floats per block of length s
    for (size_t k = 0; k < n; k += 4 * s) {
        float* p0 = y + 2 * k;
        float* p1 = p0 + stride;
        float* p2 = p1 + stride;
        float* p3 = p2 + stride;
        const float* w = tw;
        for (size_t j = 0; j < stride; j += 2 * kLanes, w += 24) {
            const Floats e0 = load(p0 + j);
            const Floats t2 = twiddle<Inverse>(load(p1 + j), w + 8);
            const Floats t1 = twiddle<Inverse>(load(p2 + j), w);
            const Floats t3 = twiddle<Inverse>(load(p3 + j), w + 16);
            const Floats u0 = add(e0, t2), u1 = sub(e0, t2);
            const Floats v0 = add(t1, t3), v1 = timesSigmaI<Inverse>(sub(t1, t3));
            store(p0 + j, add(u0, v0));
            store(p2 + j, sub(u0, v0));
            store(p1 + j, add(u1, v1));
            store(p3 + j, sub(u1, v1));
        }
    }
}

template <bool Inverse>
void firstPassOf(float* y, const float* x, size_t n, size_t firstRadix, const uint32_t* gather,
                 float scale) {
    if (firstRadix == 16)
        firstPass16<Inverse>(y, x, n, gather, scale);
    else if (firstRadix == 4)
        firstPass<Inverse, 4>(y, x, n, gather, scale);
    else
        firstPass<Inverse, 8>(y, x, n, gather, scale);
}

template <bool Inverse>
void passesOf(float* y, size_t n, size_t span, const float* tw) {
    for (size_t s = span; 4 * s <= n; s *= 4) {
        radix4Pass<Inverse>(y, n, s, tw);
        tw += kTwiddleFloatsPerOffset * s;
    }
    endLanes();
}

// The out-of-place first pass: blocks of firstRadix = 4, 8 or 16 from the
// input gathered in bit-reversed order, times scale; n >= 4 firstRadix.
// gather holds the bit-reversal of m for blocks of 4 (even L) or 8 (odd L);
// blocks of 16 use it too.
inline void outOfPlaceFirstPass(float* y, const float* x, size_t n, size_t firstRadix,
                                const uint32_t* gather, float scale, bool inverse) {
    if (inverse)
        firstPassOf<true>(y, x, n, firstRadix, gather, scale);
    else
        firstPassOf<false>(y, x, n, firstRadix, gather, scale);
}

// The radix-4 passes s = span, 4 span, .. n/4 over y, twiddles from the
// table of pass span on.
inline void radix4Passes(float* y, size_t n, size_t span, const float* tw, bool inverse) {
    if (inverse)
        passesOf<true>(y, n, span, tw);
    else
        passesOf<false>(y, n, span, tw);
}

}  // namespace
