// The frame kernels' spectral pass: split, separation, display magnitudes
// and merge, done block by block so that everything between reading the
// forward transform and writing the inverse transform's input stays in the
// first-level cache. Part of frame_kernels_body.h, built once per
// instruction set.
#pragma once

#include <cstdint>
#include <cstring>

#include "plugin/frame_kernels.h"
#include "plugin/frame_separation.h"

namespace {

// to[j] = from[-j] for the (re, im) pairs j = first .. end-1. Each pair moves
// as one 64-bit word: moved float by float, the 32-bit builds' compiler
// leaves the reversal scalar.
inline void reversedPairs(void* __restrict to, const void* __restrict from, int first, int end) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    for (int j = first; j < end; ++j) {
        uint64_t pair;
        std::memcpy(&pair, in - sizeof pair * j, sizeof pair);
        std::memcpy(out + sizeof pair * j, &pair, sizeof pair);
    }
}

// With X the transform of left + i right:
//   L[k] = (X[k] + conj X[N-k]) / 2,  R[k] = (X[k] - conj X[N-k]) / 2i,
// conjugated, because the forward kernel is e^(+2 pi i k n / N). Halving is
// exact, so single-precision sums give the double-precision results.
// Bins first .. first+count-1 of the packed spectrum (n points) into b.
void splitStereoSpectrum(Block& b, const ComplexF* __restrict spectrum, int n, int first,
                         int count) {
    const float* __restrict z = &spectrum->re;
    float* __restrict mirror = b.mirror;
    // mirror[j] = z[n - first - j]: the reversal first, then straight loops.
    // Bin 0 is its own mirror.
    const int from = first == 0 ? 1 : 0;
    if (first == 0) {
        mirror[0] = z[0];
        mirror[1] = z[1];
    }
    reversedPairs(mirror, spectrum + (n - first), from, count);
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

// The inverse of the split, into spectrum (n points): S[k] = (L.re + R.im,
// R.re - L.im) and S[N-k] = (L.re - R.im, R.re + L.im); bins 0 and N/2 have
// no mirror (at N/2 both formulas meet in one entry, which takes the first).
void mergeStereoSpectrum(ComplexF* __restrict spectrum, Block& b, int n, int first, int count) {
    const float* __restrict lRe = b.lRe;
    const float* __restrict lIm = b.lIm;
    const float* __restrict rRe = b.rRe;
    const float* __restrict rIm = b.rIm;
    float* __restrict mirror = b.mirror;
    float* __restrict front = &spectrum[first].re;
    for (int j = 0; j < count; ++j) {
        front[2 * j] = lRe[j] + rIm[j];
        front[2 * j + 1] = rRe[j] - lIm[j];
        mirror[2 * j] = lRe[j] - rIm[j];
        mirror[2 * j + 1] = rRe[j] + lIm[j];
    }
    const int half = n / 2;
    const int from = first == 0 ? 1 : 0;
    const int to = first + count > half ? half - first : count;
    // spectrum[n - first - j] = mirror[j] for j = from .. to-1, written
    // upwards from its lowest pair.
    if (from < to)
        reversedPairs(spectrum + (n - first - (to - 1)), mirror + 2 * (to - 1), 0, to - from);
}

void separateFrame(ComplexF* __restrict s, const ComplexF* __restrict z,
                   float* __restrict magnitudeL, float* __restrict magnitudeR, uint32_t half,
                   const FrameSeparation& f) {
    const int n = 2 * static_cast<int>(half), bins = static_cast<int>(half) + 1;
    const BandRun band = bandRunFor(f.band, f.spreadilate);
    Block b;
    for (int first = 0; first < bins; first += kBlock) {
        const int count = bins - first < kBlock ? bins - first : kBlock;
        splitStereoSpectrum(b, z, n, first, count);
        b.magnitudeL = magnitudeL + first;
        b.magnitudeR = magnitudeR + first;
        separateBlock(b, first, count, f, band);
        mergeStereoSpectrum(s, b, n, first, count);
    }
}

}  // namespace
