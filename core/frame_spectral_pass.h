// The frame kernels' spectral pass: split, separation, display magnitudes
// and merge, done block by block so that everything between reading the
// forward transform and writing the inverse transform's input stays in the
// first-level cache. Part of frame_kernels_body.h, built once per
// instruction set.
#pragma once

#include "core/frame_kernels.h"
#include "core/frame_separation.h"

namespace {

// Copies one (re, im) pair as one 64-bit unit: the reversals below then
// become permutations of 64-bit lanes, in 32-bit code too, where a pair of
// floats is otherwise moved float by float.
inline void copyPair(void* __restrict to, const void* __restrict from) {
    uint64_t pair;
    __builtin_memcpy(&pair, from, sizeof pair);
    __builtin_memcpy(to, &pair, sizeof pair);
}

// With X the transform of left + i right:
//   L[k] = (X[k] + conj X[N-k]) / 2,  R[k] = (X[k] - conj X[N-k]) / 2i,
// conjugated, because the forward kernel is e^(+2 pi i k n / N). Halving is
// exact, so single-precision sums give the double-precision results.
// Bins first .. first+count-1 of the packed spectrum z (n points) into b.
void splitStereoSpectrum(Block& b, const float* __restrict z, int n, int first, int count) {
    float* __restrict mirror = b.mirror;
    // mirror[j] = z[n - first - j]: the reversal first, then straight loops.
    // Bin 0 is its own mirror.
    const int from = first == 0 ? 1 : 0;
    if (first == 0) {
        mirror[0] = z[0];
        mirror[1] = z[1];
    }
    const float* __restrict back = z + 2 * (n - first);
    for (int j = from; j < count; ++j) copyPair(mirror + 2 * j, back - 2 * j);
    const float* __restrict front = z + 2 * first;
    float* __restrict lRe = b.lRe;
    float* __restrict lIm = b.lIm;
    float* __restrict rRe = b.rRe;
    float* __restrict rIm = b.rIm;
    for (int j = 0; j < count; ++j) {
        const float zRe = front[2 * j], zIm = front[2 * j + 1];
        const float aRe = mirror[2 * j], aIm = mirror[2 * j + 1];
        lRe[j] = (aRe + zRe) * 0.5f;
        lIm[j] = (zIm - aIm) * -0.5f;
        rRe[j] = (aIm + zIm) * 0.5f;
        rIm[j] = (zRe - aRe) * 0.5f;
    }
    if (first == 0) {
        lRe[0] = z[0];
        lIm[0] = 0.0f;
        rRe[0] = z[1];
        rIm[0] = 0.0f;
    }
}

// The inverse of the split, into s (n points): S[k] = (L.re + R.im,
// R.re - L.im) and S[N-k] = (L.re - R.im, R.re + L.im); bins 0 and N/2 have
// no mirror (at N/2 both formulas meet in one entry, which takes the first).
void mergeStereoSpectrum(ComplexF* __restrict spectrum, Block& b, int n, int first, int count) {
    float* __restrict s = &spectrum->re;
    const float* __restrict lRe = b.lRe;
    const float* __restrict lIm = b.lIm;
    const float* __restrict rRe = b.rRe;
    const float* __restrict rIm = b.rIm;
    float* __restrict mirror = b.mirror;
    float* __restrict front = s + 2 * first;
    for (int j = 0; j < count; ++j) {
        front[2 * j] = lRe[j] + rIm[j];
        front[2 * j + 1] = rRe[j] - lIm[j];
        mirror[2 * j] = lRe[j] - rIm[j];
        mirror[2 * j + 1] = rRe[j] + lIm[j];
    }
    const int half = n / 2;
    const int from = first == 0 ? 1 : 0;
    const int to = first + count > half ? half - first : count;
    ComplexF* __restrict back = spectrum + (n - first);
    for (int j = from; j < to; ++j) copyPair(back - j, mirror + 2 * j);
}

void separateFrame(ComplexF* __restrict s, const ComplexF* __restrict z,
                   float* __restrict magnitudeL, float* __restrict magnitudeR, uint32_t half,
                   const FrameSeparation& f) {
    const int n = 2 * static_cast<int>(half), bins = static_cast<int>(half) + 1;
    const BandRun band = bandRunFor(f.band, f.spreadilate);
    Block b;
    bool cleared = false;  // the planes hold silence from the block before
    for (int first = 0; first < bins; first += kBlock) {
        const int count = bins - first < kBlock ? bins - first : kBlock;
        b.magnitudeL = magnitudeL + first;
        b.magnitudeR = magnitudeR + first;
        if (silentBlock(f, first, count)) {
            // No split or selection: the merge of cleared planes, as
            // separateBlock would leave them.
            if (!cleared) clearBins(b, 0, kBlock);
            clearMagnitudes(b, 0, count);
            cleared = true;
        } else {
            splitStereoSpectrum(b, &z->re, n, first, count);
            separateBlock(b, first, count, f, band);
            cleared = false;
        }
        mergeStereoSpectrum(s, b, n, first, count);
    }
}

}  // namespace
