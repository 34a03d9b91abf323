#include "bench/separation/IdealMask.h"

#include <cmath>

#include "dsp/VCFmath.h"
#include "dsp/VFmath.h"

namespace separation {
namespace {

constexpr size_t kN = 4096;
constexpr size_t kHop = kN / 4;

// Both channels' spectrum of one frame: left in re, right in im of the input.
void frameSpectrum(const StereoSignal& s, size_t at, const float* window, ComplexF* out) {
    for (size_t i = 0; i < kN; ++i) {
        const size_t t = at + i;
        const bool inside = t < s.size();
        out[i] =
            ComplexF{inside ? s.left[t] * window[i] : 0.0f, inside ? s.right[t] * window[i] : 0.0f};
    }
    cfpFFT(out, out, kN, +1);
}

// Power of bin k (both channels) of a two-channel spectrum.
double binPower(const ComplexF* z, size_t k) {
    const ComplexF a = z[k], b = z[(kN - k) % kN];
    const double lr = 0.5 * (a.re + b.re), li = 0.5 * (a.im - b.im);
    const double rr = 0.5 * (a.im + b.im), ri = 0.5 * (b.re - a.re);
    return lr * lr + li * li + rr * rr + ri * ri;
}

}  // namespace

StereoSignal idealMask(const TestMix& mix, double floorDb, bool isolation) {
    const double floorGain = std::pow(10.0, -floorDb / 20.0);
    std::vector<float> window(kN);
    fHanning(window.data(), kN);
    StereoSignal voice, rest;
    voice.left.assign(mix.mix.size(), 0.0f);
    voice.right = voice.left;
    rest = voice;
    for (const Stem& stem : mix.stems) {
        StereoSignal& into = stem.role == StemRole::Voice ? voice : rest;
        for (size_t i = 0; i < mix.mix.size(); ++i) {
            into.left[i] += stem.signal.left[i];
            into.right[i] += stem.signal.right[i];
        }
    }
    StereoSignal out;
    out.left.assign(mix.mix.size() + kN, 0.0f);
    out.right = out.left;
    std::vector<ComplexF> z(kN), v(kN), r(kN);
    for (size_t at = 0; at + kHop < mix.mix.size() + kN; at += kHop) {
        const size_t start = at;  // frame covers [start, start + kN)
        frameSpectrum(mix.mix, start, window.data(), z.data());
        frameSpectrum(voice, start, window.data(), v.data());
        frameSpectrum(rest, start, window.data(), r.data());
        for (size_t k = 0; k <= kN / 2; ++k) {
            const bool voiced = binPower(v.data(), k) > binPower(r.data(), k);
            const double gain = voiced != isolation ? floorGain : 1.0;
            z[k].re = static_cast<float>(z[k].re * gain);
            z[k].im = static_cast<float>(z[k].im * gain);
            if (k > 0 && k < kN / 2) {
                z[kN - k].re = static_cast<float>(z[kN - k].re * gain);
                z[kN - k].im = static_cast<float>(z[kN - k].im * gain);
            }
        }
        cfpFFT(z.data(), z.data(), kN, -1);
        for (size_t i = 0; i < kN && start + i < out.size(); ++i) {
            const float w = window[i] * (2.0f / 3.0f);
            out.left[start + i] += z[i].re * w;
            out.right[start + i] += z[i].im * w;
        }
    }
    out.left.resize(mix.mix.size());
    out.right.resize(mix.mix.size());
    return out;
}

}  // namespace separation
