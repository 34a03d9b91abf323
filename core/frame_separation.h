// The separation of the bins of one block of the spectral pass: the
// centre-angle selection and the band stage, as FrameSeparation sets them.
// Part of frame_kernels_body.h, built once per instruction set.
#pragma once

#include "core/frame_kernels.h"
#include "dsp/quadrant_angle.h"

namespace {

// The bins of one block of the left and right half spectra, as planes (all
// real parts, then all imaginary parts).
constexpr int kBlock = 64;

struct Block {
    alignas(32) float lRe[kBlock];
    alignas(32) float lIm[kBlock];
    alignas(32) float rRe[kBlock];
    alignas(32) float rIm[kBlock];
    // The block's bins of the display magnitudes, written in place.
    float* magnitudeL;
    float* magnitudeR;
    alignas(32) float mirror[2 * kBlock];  // (re, im) pairs
};

inline float magnitudeOf(float re, float im) { return __builtin_sqrtf(re * re + im * im); }

void magnitudes(float* __restrict magnitude, const float* __restrict re, const float* __restrict im,
                int from, int to) {
    for (int j = from; j < to; ++j) magnitude[j] = magnitudeOf(re[j], im[j]);
}

// atan2(y, x) for x, y >= 0, 0 when both are 0; fc2pol's arctangent.
inline float firstQuadrantAngle(float y, float x) {
    const float a = quadrantAngle(y, x);
    return (y > x ? y : x) == 0.0f ? 0.0f : a;
}

// The centre-angle selection of one block. Most bins lie clearly inside or
// outside [lo, hi]: their angle is at least 1e-5 from both ends, which the
// products with the cosines and sines of the shifted ends tell without an
// arctangent (AngleRange). Only a block with a bin near an end computes the
// angles, and then decides every bin by them.
void selectByAngle(Block& b, int count, const AngleRange& range) {
    float* __restrict lRe = b.lRe;
    float* __restrict lIm = b.lIm;
    float* __restrict rRe = b.rRe;
    float* __restrict rIm = b.rIm;
    float* __restrict magnitudeL = b.magnitudeL;
    float* __restrict magnitudeR = b.magnitudeR;
    alignas(32) float keep[kBlock];
    const float inside = range.keepInside ? 1.0f : 0.0f, outside = 1.0f - inside;
    int unsure = 0;
    for (int j = 0; j < count; ++j) {
        const float l = magnitudeOf(lRe[j], lIm[j]);
        const float r = magnitudeOf(rRe[j], rIm[j]);
        magnitudeL[j] = l;
        magnitudeR[j] = r;
        const bool in =
            (r * range.loInCos >= l * range.loInSin) & (r * range.hiInCos <= l * range.hiInSin);
        const bool out =
            (r * range.loOutCos < l * range.loOutSin) | (r * range.hiOutCos > l * range.hiOutSin);
        keep[j] = in ? inside : outside;
        unsure |= static_cast<int>(!(in | out));
    }
    if (unsure) {
        const float lo = range.lo, hi = range.hi;
        for (int j = 0; j < count; ++j) {
            const float angle = firstQuadrantAngle(magnitudeR[j], magnitudeL[j]);
            keep[j] = ((lo <= angle) & (angle <= hi)) ? inside : outside;
        }
    }
    for (int j = 0; j < count; ++j) {
        lRe[j] *= keep[j];
        lIm[j] *= keep[j];
        rRe[j] *= keep[j];
        rIm[j] *= keep[j];
        magnitudeL[j] *= keep[j];
        magnitudeR[j] *= keep[j];
    }
}

// A side signal of magnitude `side` in the direction of (re, im), whose
// magnitude is `length`; a bin of length 0 has the direction (1, 0).
inline void alongDirection(float side, float re, float im, float length, float& outRe,
                           float& outIm) {
    const float toUnit = length != 0.0f ? 1.0f / length : 0.0f;
    outRe = (length != 0.0f ? re * toUnit : 1.0f) * side;
    outIm = (im * toUnit) * side;
}

// The band stage on bins from..to-1 of the block, leaving the magnitudes of
// the results. Known: the block's magnitudes already hold |L| and |R|.
template <bool Stereolize, bool Isolate, bool Zindracate, bool Known>
void bandRun(Block& b, int from, int to, const BandStageOptions& o) {
    float* __restrict lRe = b.lRe;
    float* __restrict lIm = b.lIm;
    float* __restrict rRe = b.rRe;
    float* __restrict rIm = b.rIm;
    float* __restrict magnitudeL = b.magnitudeL;
    float* __restrict magnitudeR = b.magnitudeR;
    const float mixRe = o.mix.re, mixIm = o.mix.im, offRe = o.offset.re, offIm = o.offset.im;
    for (int j = from; j < to; ++j) {
        float lr = lRe[j], li = lIm[j], rr = rRe[j], ri = rIm[j];
        // side L = L - R; side R = R - L, its exact negative.
        float slr = lr - rr, sli = li - ri, srr = -slr, sri = -sli;
        [[maybe_unused]] float ml = 0.0f, mr = 0.0f, side = 0.0f;
        if constexpr (Stereolize) {
            side = magnitudeOf(slr, sli);
            ml = Known ? magnitudeL[j] : magnitudeOf(lr, li);
            mr = Known ? magnitudeR[j] : magnitudeOf(rr, ri);
            alongDirection(side, lr, li, ml, slr, sli);
            alongDirection(side, rr, ri, mr, srr, sri);
        }
        if constexpr (Isolate) {
            if constexpr (Zindracate) {
                lr -= slr;
                li -= sli;
                rr -= srr;
                ri -= sri;
            }
        } else {
            lr = slr * mixRe - sli * mixIm + offRe;
            li = slr * mixIm + sli * mixRe + offIm;
            rr = srr * mixRe - sri * mixIm + offRe;
            ri = srr * mixIm + sri * mixRe + offIm;
        }
        lRe[j] = lr;
        lIm[j] = li;
        rRe[j] = rr;
        rIm[j] = ri;
        if constexpr (Stereolize && Isolate) {
            // Each channel less a side signal along its own direction: the
            // magnitudes subtract (and stay where nothing is taken away).
            const float keptL = Zindracate ? ml - side : ml;
            const float keptR = Zindracate ? mr - side : mr;
            magnitudeL[j] = keptL < 0.0f ? -keptL : keptL;
            magnitudeR[j] = keptR < 0.0f ? -keptR : keptR;
        } else {
            magnitudeL[j] = magnitudeOf(lr, li);
            magnitudeR[j] = magnitudeOf(rr, ri);
        }
    }
}

using BandRun = void (*)(Block&, int, int, const BandStageOptions&);

BandRun bandRunFor(const BandStageOptions& o, bool known) {
    // Without stereolize the magnitudes of the input are not needed.
    static constexpr BandRun runs[12] = {
        bandRun<false, false, false, false>, bandRun<false, false, true, false>,
        bandRun<false, true, false, false>,  bandRun<false, true, true, false>,
        bandRun<true, false, false, false>,  bandRun<true, false, true, false>,
        bandRun<true, true, false, false>,   bandRun<true, true, true, false>,
        bandRun<true, false, false, true>,   bandRun<true, false, true, true>,
        bandRun<true, true, false, true>,    bandRun<true, true, true, true>};
    return runs[(o.stereolize ? (known ? 8 : 4) : 0) + (o.isolate ? 2 : 0) +
                (o.zindracate ? 1 : 0)];
}

void clearMagnitudes(Block& b, int from, int to) {
    for (float* plane : {b.magnitudeL, b.magnitudeR})
        for (int j = from; j < to; ++j) plane[j] = 0.0f;
}

void clearBins(Block& b, int from, int to) {
    for (float* plane : {b.lRe, b.lIm, b.rRe, b.rIm})
        for (int j = from; j < to; ++j) plane[j] = 0.0f;
    clearMagnitudes(b, from, to);
}

// With Isolate nothing outside the band remains: a block wholly outside it
// is silence, whatever its bins held.
bool silentBlock(const FrameSeparation& f, int first, int count) {
    return !f.bypass && f.bandStage && f.band.isolate &&
           (first + count <= static_cast<int>(f.bandFirst) || first >= static_cast<int>(f.bandEnd));
}

// The separation of one block, bins first .. first+count-1.
void separateBlock(Block& b, int first, int count, const FrameSeparation& f, BandRun band) {
    if (f.bypass) {
        magnitudes(b.magnitudeL, b.lRe, b.lIm, 0, count);
        magnitudes(b.magnitudeR, b.rRe, b.rIm, 0, count);
        return;
    }
    if (f.spreadilate) selectByAngle(b, count, f.angles);
    // Known magnitudes from the selection, or none yet.
    const bool known = f.spreadilate;
    int from = 0, to = 0;  // the band within the block
    if (f.bandStage) {
        from = static_cast<int>(f.bandFirst) - first;
        to = static_cast<int>(f.bandEnd) - first;
        from = from < 0 ? 0 : (from > count ? count : from);
        to = to < from ? from : (to > count ? count : to);
    }
    // Outside the band: nothing remains with Isolate; else the bins pass.
    const int outside[2][2] = {{0, from}, {to, count}};
    for (const auto& part : outside) {
        if (part[0] >= part[1]) continue;
        if (f.bandStage && f.band.isolate) {
            clearBins(b, part[0], part[1]);
        } else if (!known) {
            magnitudes(b.magnitudeL, b.lRe, b.lIm, part[0], part[1]);
            magnitudes(b.magnitudeR, b.rRe, b.rIm, part[0], part[1]);
        }
    }
    if (from < to) band(b, from, to, f.band);
}

}  // namespace
