// The kernels of deep_kernels.h. Included once by each instruction-set build
// (deep_kernels_sse2.cpp, deep_kernels_avx2.cpp, deep_kernels_avx512.cpp),
// which then hand out kKernels. Everything here has internal linkage.
//
// The builds use -O3 -fno-math-errno -fno-trapping-math -ffp-contract=off:
// the loops become vector code, square roots and divisions vector
// instructions, selects replace branches, and every build rounds alike.
#include <algorithm>
#include <cmath>

#include "core/deep/deep_kernels.h"

namespace deep {
namespace {

// Added to a bin's power before a ratio is taken: far below any signal's
// power, it turns silence (0 / 0) into "centred" without a division by zero.
constexpr float kTinyPower = 1e-30f;
// Samples are held inside +-2^50, so that a frame's powers stay finite;
// smaller than 2^-100 they count as silence (no denormals in the transform).
constexpr float kLargestSample = 1125899906842624.0f;
constexpr float kSmallestSample = 7.8886091e-31f;

inline float cleanSample(float x) {
    const float held = std::min(kLargestSample, std::max(-kLargestSample, x));
    return std::fabs(x) >= kSmallestSample ? held : 0.0f;  // NaN too
}

void enterSamples(ComplexF* __restrict frame, const float* __restrict left,
                  const float* __restrict right, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        frame[i] = ComplexF{cleanSample(left[i]), cleanSample(right[i])};
}

void leaveSamples(float* __restrict left, float* __restrict right,
                  const ComplexF* __restrict leaving, uint32_t count, bool replacing) {
    if (replacing) {
        for (uint32_t i = 0; i < count; ++i) {
            left[i] = leaving[i].re;
            right[i] = leaving[i].im;
        }
    } else {
        for (uint32_t i = 0; i < count; ++i) {
            left[i] += leaving[i].re;
            right[i] += leaving[i].im;
        }
    }
}

void windowFrame(ComplexF* __restrict spectrum, const ComplexF* __restrict frame,
                 const float* __restrict window, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        spectrum[i] = ComplexF{frame[i].re * window[i], frame[i].im * window[i]};
}

void accumulate(ComplexF* __restrict accumulator, const ComplexF* __restrict spectrum,
                const float* __restrict window, float gain, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        const float w = window[i] * gain;
        accumulator[i].re += spectrum[i].re * w;
        accumulator[i].im += spectrum[i].im * w;
    }
}

// L = (Z[k] + conj Z[n-k]) / 2 and R = (Z[k] - conj Z[n-k]) / 2i. Z[n-k]
// is first copied into forward order, so that the arithmetic reads both
// halves forwards.
void splitArrays(const ComplexF* __restrict z, const ComplexF* __restrict mirrored, int32_t bins,
                 float* __restrict lRe, float* __restrict lIm, float* __restrict dRe,
                 float* __restrict dIm, float* __restrict xRe, float* __restrict xIm,
                 float* __restrict dd, float* __restrict ll) {
    for (int32_t k = 0; k < bins; ++k) {
        const ComplexF a = z[k];
        const ComplexF b = mirrored[k];
        const float lr = 0.5f * (a.re + b.re), li = 0.5f * (a.im - b.im);
        const float rr = 0.5f * (a.im + b.im), ri = 0.5f * (b.re - a.re);
        const float dr = lr - rr, di = li - ri;
        lRe[k] = lr;
        lIm[k] = li;
        dRe[k] = dr;
        dIm[k] = di;
        xRe[k] = lr * dr + li * di;  // L conj D
        xIm[k] = li * dr - lr * di;
        dd[k] = dr * dr + di * di;
        ll[k] = lr * lr + li * li;
    }
}

void split(const ComplexF* spectrum, uint32_t n, ComplexF* scratch, const BinVectors& v) {
    const auto bins = static_cast<int32_t>(n / 2 + 1);
    scratch[0] = spectrum[0];
    for (int32_t k = 1; k < bins; ++k) scratch[k] = spectrum[static_cast<int32_t>(n) - k];
    splitArrays(spectrum, scratch, bins, v.leftRe, v.leftIm, v.diffRe, v.diffIm, v.crossRe + 1,
                v.crossIm + 1, v.diffPower + 1, v.leftPower + 1);
    // Bin -1 mirrors bin 1, bin n/2 + 1 mirrors bin n/2 - 1.
    for (float* w : {v.crossRe, v.crossIm, v.diffPower, v.leftPower}) {
        w[0] = w[2];
        w[bins + 1] = w[bins - 1];
    }
}

// The arrays as parameters of their own, each restrict: what lets the
// compiler know that no store reaches another array.
void separateArrays(const FrameSettings& s, int32_t bins, float* __restrict lRe,
                    float* __restrict lIm, float* __restrict dRe, float* __restrict dIm,
                    const float* __restrict xRe, const float* __restrict xIm,
                    const float* __restrict dd, const float* __restrict ll,
                    float* __restrict meanRe, float* __restrict meanIm, float* __restrict meanD,
                    float* __restrict meanL, float* __restrict echo, float* __restrict inputPower,
                    float* __restrict removedPower) {
    const float learn = s.learn, widthQ2 = s.widthQ2, diffuseRho2 = s.diffuseRho2;
    const float tailDecay = s.tailDecay, tailLevel = s.tailLevel;
    const float lowBin = s.lowBin, highBin = s.highBin;
    const float samples = s.samples, trustScale = 1.0f / std::max(1e-6f, s.samples - 1.0f);
    // Remove: in - take (in - side); Isolate: in - take side.
    const float fromIn = 1.0f - s.take * s.keepsInput;
    const float toSide = s.take * (2.0f * s.keepsInput - 1.0f);
    for (int32_t k = 0; k < bins; ++k) {
        // The side's make-up in this neighbourhood (three bins, and over time
        // by the smoothing): how the left channel follows the difference,
        // alpha = E[L conj D] / E[|D|^2]. A centred source is not in D at
        // all; a source panned with gains (a, b) gives alpha = a / (a - b),
        // and the side is then alpha D on the left and (alpha - 1) D on the right.
        const float xr = 0.25f * xRe[k] + 0.5f * xRe[k + 1] + 0.25f * xRe[k + 2];
        const float xi = 0.25f * xIm[k] + 0.5f * xIm[k + 1] + 0.25f * xIm[k + 2];
        const float ds = 0.25f * dd[k] + 0.5f * dd[k + 1] + 0.25f * dd[k + 2];
        const float ls = 0.25f * ll[k] + 0.5f * ll[k + 1] + 0.25f * ll[k + 2];
        // Means more than 60 dB above what the bin now holds are forgotten at
        // once: one absurdly loud moment must not rule the bin for seconds.
        const bool stale = meanD[k] > 1e6f * ds + kTinyPower || meanL[k] > 1e6f * ls + kTinyPower;
        const float step = stale ? 1.0f : learn;
        const float mr = meanRe[k] + step * (xr - meanRe[k]);
        const float mi = meanIm[k] + step * (xi - meanIm[k]);
        const float md = meanD[k] + step * (ds - meanD[k]);
        const float ml = meanL[k] + step * (ls - meanL[k]);
        meanRe[k] = mr;
        meanIm[k] = mi;
        meanD[k] = md;
        meanL[k] = ml;
        const float inverse = 1.0f / (md + kTinyPower);
        const float aRe = mr * inverse, aIm = mi * inverse;
        const float lr = lRe[k], li = lIm[k], dr = dRe[k], di = dIm[k];
        const float rr = lr - dr, ri = li - di;
        const float power = lr * lr + li * li + rr * rr + ri * ri;
        // beta = 2 alpha - 1 = (a + b) / (a - b): |beta| >= 1 for one panned
        // source (1 / tan(|p| pi/4) for pan p); below 1 the side is diffuse
        // or sources on both sides.
        const float bRe = 2.0f * aRe - 1.0f, bIm = 2.0f * aIm;
        const float beta2 = bRe * bRe + bIm * bIm;
        const float panned = std::min(1.0f, std::max(0.0f, (beta2 - 0.25f) * (1.0f / 0.75f)));
        // A panned source inside the width counts as centre.
        // Half of it at the width's pan, all but a few per cent at 1.5 times it.
        const float u = beta2 * widthQ2;
        const float u2 = u * u;
        const float outside = 1.0f / (u2 * u2 + 1.0f);
        // The panned side, rebuilt from D alone: no centred sound is in it.
        const float sLr = aRe * dr - aIm * di, sLi = aRe * di + aIm * dr;
        const float sRr = sLr - dr, sRi = sLi - di;
        const float rebuilt = sLr * sLr + sLi * sLi + sRr * sRr + sRi * sRi;
        // Never more than the bin held.
        const float limit = std::min(1.0f, std::sqrt(power / (rebuilt + kTinyPower)));
        // How far alpha can be trusted. Fitted over so few values, it takes
        // a part of the centre for side by chance, and the more so the
        // nearer the side's source is to the centre (the less of it shows in
        // D). Where L follows D no more than chance allows (coherence near
        // 1 / samples) and the source is near the centre (beta^2 from 1 for a
        // hard pan to 9 for 40 %), the bin counts as centre.
        const float coherence = (mr * mr + mi * mi) / (ml * md + kTinyPower);
        const float chance =
            std::min(1.0f, std::max(0.0f, (samples * coherence - 1.0f) * trustScale));
        const float nearCentre = std::min(1.0f, std::max(0.0f, (beta2 - 1.0f) * 0.125f));
        const float trusted = 1.0f - nearCentre * (1.0f - chance);
        const float keep = panned * outside * limit * trusted;
        // The diffuse side, by a gain: what lies in the difference stays.
        const float rho = dd[k + 1] / (power + kTinyPower);
        const float diffuse = (1.0f - panned) * rho * rho / (rho * rho + diffuseRho2 + kTinyPower);
        float oLr = keep * sLr + diffuse * lr, oLi = keep * sLi + diffuse * li;
        float oRr = keep * sRr + diffuse * rr, oRi = keep * sRi + diffuse * ri;
        // The centre's echo: what was taken as centre lingers for the tail's
        // time; that much of what remains counts as centre too.
        const float side = oLr * oLr + oLi * oLi + oRr * oRr + oRi * oRi;
        const float taken = std::max(0.0f, power - side);
        // An echo is never more than the bin now holds, so that one loud
        // moment cannot silence the bin for the whole tail.
        float held = std::min(power, std::max(echo[k] * tailDecay, taken * tailLevel));
        held = held < 1e-30f ? 0.0f : held;
        echo[k] = held;
        const float echoGain = std::max(0.0f, 1.0f - held / (side + kTinyPower));
        // Outside the band nothing counts as centre: all of it is side.
        const auto bin = static_cast<float>(k);
        const float inBand = (bin >= lowBin && bin <= highBin) ? 1.0f : 0.0f;
        const float fromSide = inBand * echoGain, fromInput = 1.0f - inBand;
        oLr = fromSide * oLr + fromInput * lr;
        oLi = fromSide * oLi + fromInput * li;
        oRr = fromSide * oRr + fromInput * rr;
        oRi = fromSide * oRi + fromInput * ri;
        const float outLr = fromIn * lr + toSide * oLr, outLi = fromIn * li + toSide * oLi;
        const float outRr = fromIn * rr + toSide * oRr, outRi = fromIn * ri + toSide * oRi;
        lRe[k] = outLr;
        lIm[k] = outLi;
        dRe[k] = outRr;
        dIm[k] = outRi;
        inputPower[k] = power;
        removedPower[k] =
            std::max(0.0f, power - (outLr * outLr + outLi * outLi + outRr * outRr + outRi * outRi));
    }
}

void separate(const FrameSettings& s, uint32_t count, const BinVectors& v) {
    separateArrays(s, static_cast<int32_t>(count), v.leftRe, v.leftIm, v.diffRe, v.diffIm,
                   v.crossRe, v.crossIm, v.diffPower, v.leftPower, v.meanRe, v.meanIm, v.meanDiff,
                   v.meanLeft, v.echo, v.inputPower, v.removedPower);
}

void mergeArrays(ComplexF* __restrict z, ComplexF* __restrict mirrored, int32_t bins,
                 const float* __restrict lRe, const float* __restrict lIm,
                 const float* __restrict rRe, const float* __restrict rIm) {
    for (int32_t k = 0; k < bins; ++k) {
        const float lr = lRe[k], li = lIm[k], rr = rRe[k], ri = rIm[k];
        z[k] = ComplexF{lr - ri, li + rr};
        mirrored[k] = ComplexF{lr + ri, rr - li};
    }
}

void merge(ComplexF* spectrum, uint32_t n, ComplexF* scratch, const BinVectors& v) {
    const auto bins = static_cast<int32_t>(n / 2 + 1);
    mergeArrays(spectrum, scratch, bins, v.leftRe, v.leftIm, v.diffRe, v.diffIm);
    for (int32_t k = 1; k < bins - 1; ++k) spectrum[static_cast<int32_t>(n) - k] = scratch[k];
}

constexpr DeepKernels kKernels = {enterSamples, leaveSamples, windowFrame, accumulate,
                                  split,        separate,     merge};

}  // namespace
}  // namespace deep
