// The FFT's butterflies and passes over the lanes of dsp/simd_lanes.h,
// written once and included once by each instruction-set build:
// fft_passes_sse2.cpp (every processor), fft_passes_avx2.cpp and
// fft_passes_avx512.cpp. Everything here has internal linkage (see
// simd_lanes.h). The mathematics are at the top of VCFfft.cpp.
#pragma once

#include "dsp/fft_passes.h"
#include "dsp/simd_lanes.h"

namespace {

// The twiddle table of a pass holds, per kLanes offsets j and for q = 1, 2, 3,
// the real parts of W^(q j), each twice, then the imaginary parts as
// (-Im, Im): kTwiddleFloats floats, kTwiddleFloatsPerOffset per offset.
constexpr size_t kTwiddleFloats = 4 * kLanes;

// z w, or z conj(w) for the inverse, with w from the table. Both products are
// rounded, then summed, never fused: a fused product treats the real and
// imaginary parts unequally, and the transform of a stereo frame with
// identical channels must give bins n - k and k with exactly swapped parts,
// so that the two channels split from it have equal magnitudes bit for bit
// (the centre-angle selection at "Spread" 0).
template <bool Inverse>
inline Floats twiddle(Floats z, const float* w) {
    const Floats product = mul(z, load(w));
    const Floats cross = mul(swapParts(z), load(w + 2 * kLanes));
    return Inverse ? sub(product, cross) : add(product, cross);
}

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

// Length-16 DFT of a[0..16) into q[0..16), taken as 4 x 4 (p = p2 + 4 p1,
// k = k1 + 4 k2): length-4 DFTs over p1, the twiddles W16^(p2 k1), length-4
// DFTs over p2.
template <bool Inverse>
inline void dft16(const Floats* a, Floats* q) {
    const float c1 = 0.92387953251128674f, s1 = 0.38268343236508977f;  // pi / 8
    const float h = 0.70710678118654752f;
    Floats b[16];  // b[4 p2 + k1]
    for (size_t p2 = 0; p2 < 4; ++p2)
        dft4<Inverse>(a[p2], a[p2 + 4], a[p2 + 8], a[p2 + 12], b + 4 * p2, 1);
    b[5] = rotate<Inverse>(b[5], c1, s1);      // W^1
    b[6] = rotate<Inverse>(b[6], h, h);        // W^2
    b[7] = rotate<Inverse>(b[7], s1, c1);      // W^3
    b[9] = rotate<Inverse>(b[9], h, h);        // W^2
    b[10] = timesSigmaI<Inverse>(b[10]);       // W^4
    b[11] = rotate<Inverse>(b[11], -h, h);     // W^6
    b[13] = rotate<Inverse>(b[13], s1, c1);    // W^3
    b[14] = rotate<Inverse>(b[14], -h, h);     // W^6
    b[15] = rotate<Inverse>(b[15], -c1, -s1);  // W^9
    for (size_t k1 = 0; k1 < 4; ++k1)
        dft4<Inverse>(b[k1], b[4 + k1], b[8 + k1], b[12 + k1], q + k1, 4);
}

// The blocks of length R = 4, 8 or 16 of the first pass: q = DFT of a.
// Blocks of 16 (even L, n >= 64) take the place of the blocks of 4 and of the
// radix-4 pass s = 4: one pass fewer.
template <bool Inverse, size_t R>
inline void firstBlocks(const Floats* a, Floats* q) {
    if constexpr (R == 4)
        dft4<Inverse>(a[0], a[1], a[2], a[3], q, 1);
    else if constexpr (R == 8)
        dft8<Inverse>(a, q);
    else
        dft16<Inverse>(a, q);
}

// The out-of-place first pass for blocks of R = 4, 8 or 16: the inputs r ..
// r + kLanes - 1 of each of the R strides x[r + p n/R] side by side in one
// register, the blocks (one per lane) to their bit-reversed places. gather
// is made for blocks of 4 (even L) or 8 (odd L): block m of 16 lies at
// 16 rev(m) in L - 4 bits = 4 gather[m].
template <bool Inverse, size_t R>
void firstPass(float* y, const float* x, size_t n, const uint32_t* gather, float scale) {
    const Floats k = splat(scale);
    const size_t stride = 2 * (n / R);
    const size_t placeFloats = R == 16 ? 8 : 2 * R;
    for (size_t i = 0; i < n / R; i += kLanes) {
        Floats a[R];
        for (size_t p = 0; p < R; ++p) a[p] = mul(load(x + 2 * i + p * stride), k);
        Floats q[R];
        firstBlocks<Inverse, R>(a, q);
        float* blocks[kLanes];
        for (size_t l = 0; l < kLanes; ++l) blocks[l] = y + placeFloats * size_t{gather[i + l]};
        storeLanes(blocks, q, R);
    }
}

// The radix-4 butterfly merging four blocks: a0 from the first block (E0),
// a1 from the second (E2), a2 from the third (E1), a3 from the fourth (E3);
// w the three twiddles q = 1, 2, 3 of their offset. The results replace them
// in place, in the same order.
template <bool Inverse>
inline void butterfly4(Floats& a0, Floats& a1, Floats& a2, Floats& a3, const float* w) {
    const Floats t2 = twiddle<Inverse>(a1, w + kTwiddleFloats);
    const Floats t1 = twiddle<Inverse>(a2, w);
    const Floats t3 = twiddle<Inverse>(a3, w + 2 * kTwiddleFloats);
    const Floats u0 = add(a0, t2), u1 = sub(a0, t2);
    const Floats v0 = add(t1, t3), v1 = timesSigmaI<Inverse>(sub(t1, t3));
    a0 = add(u0, v0);
    a1 = add(u1, v1);
    a2 = sub(u0, v0);
    a3 = sub(u1, v1);
}

// The twiddles of offset j (a multiple of kLanes) in the table of a pass.
inline const float* twiddlesAt(const float* tw, size_t j) {
    return tw + 3 * kTwiddleFloats * (j / kLanes);
}

// One radix-4 pass merging blocks of length s into blocks of length 4s.
template <bool Inverse>
void radix4Pass(float* y, size_t n, size_t s, const float* tw) {
    const size_t stride = 2 * s;  // floats per block of length s
    for (size_t k = 0; k < n; k += 4 * s) {
        float* const p = y + 2 * k;
        for (size_t j = 0; j < s; j += kLanes) {
            Floats a[4];
            for (size_t m = 0; m < 4; ++m) a[m] = load(p + 2 * j + m * stride);
            butterfly4<Inverse>(a[0], a[1], a[2], a[3], twiddlesAt(tw, j));
            for (size_t m = 0; m < 4; ++m) store(p + 2 * j + m * stride, a[m]);
        }
    }
}

// Two radix-4 passes at once, s and 4s, merging blocks of length s into
// blocks of length 16s with one pass over memory: the sixteen values of
// offset j in sixteen neighbouring blocks are loaded once, merged in fours
// (twiddles of pass s at j), then across (twiddles of pass 4s at j + t s),
// and stored. The arithmetic is that of the two passes, value for value.
template <bool Inverse>
void radix16Pass(float* y, size_t n, size_t s, const float* twS, const float* tw4S) {
    const size_t stride = 2 * s;
    for (size_t k = 0; k < n; k += 16 * s) {
        float* const p = y + 2 * k;
        for (size_t j = 0; j < s; j += kLanes) {
            Floats a[16];
            for (size_t m = 0; m < 16; ++m) a[m] = load(p + 2 * j + m * stride);
            const float* w = twiddlesAt(twS, j);
            for (size_t g = 0; g < 16; g += 4)
                butterfly4<Inverse>(a[g], a[g + 1], a[g + 2], a[g + 3], w);
            // Block g of length 4s now holds offset j + t s in a[4 g + t].
            for (size_t t = 0; t < 4; ++t)
                butterfly4<Inverse>(a[t], a[4 + t], a[8 + t], a[12 + t],
                                    twiddlesAt(tw4S, j + t * s));
            for (size_t m = 0; m < 16; ++m) store(p + 2 * j + m * stride, a[m]);
        }
    }
}

template <bool Inverse>
void firstPassOf(float* y, const float* x, size_t n, size_t firstRadix, const uint32_t* gather,
                 float scale) {
    if (firstRadix == 16) {
        firstPass<Inverse, 16>(y, x, n, gather, scale);
    } else if (firstRadix == 8) {
        firstPass<Inverse, 8>(y, x, n, gather, scale);
    } else {
        // Blocks of 4 come only before a pass s = 4, which registers of
        // eight values cannot do: plans for them start at blocks of 8 or 16.
        if constexpr (kLanes <= 4) firstPass<Inverse, 4>(y, x, n, gather, scale);
    }
}

// Two levels per pass over memory keep sixteen values in registers: 64-bit
// code has 16 or 32 of them, 32-bit code only 8, and there the values
// spilled to the stack cost more than the pass over memory saved.
constexpr bool kTwoLevelsPerPass = sizeof(void*) == 8;

// The passes s = span, 4 span, .. n/4, two at a time while they fit.
template <bool Inverse>
void passesOf(float* y, size_t n, size_t span, const float* tw) {
    size_t s = span;
    if constexpr (kTwoLevelsPerPass) {
        for (; 16 * s <= n; s *= 16) {
            const float* tw4S = tw + kTwiddleFloatsPerOffset * s;
            radix16Pass<Inverse>(y, n, s, tw, tw4S);
            tw = tw4S + kTwiddleFloatsPerOffset * 4 * s;
        }
    }
    for (; 4 * s <= n; s *= 4) {
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
