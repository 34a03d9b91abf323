// Runs audio through the format-free effect the way a host does, and a plain
// double-precision model of the same processing to compare it with.
#pragma once

#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"
#include "support/SeparationModel.h"

// The effect at a fixed sample rate, with the operations the tests use.
class CoreEffect {
public:
    explicit CoreEffect(float sampleRate) : hooks(sampleRate), effect(hooks) {}

    void setParameter(int32_t index, float value) { effect.setParameter(index, value); }
    float getParameter(int32_t index) const { return effect.parameter(index); }
    void setProgram(int32_t index) { effect.setProgram(index); }
    void processReplacing(float** in, float** out, int32_t n) { effect.process(in, out, n, true); }
    void process(float** in, float** out, int32_t n) { effect.process(in, out, n, false); }
    int32_t copyMagnitudes(float* left, float* right, int32_t capacity) {
        return engine().copyMagnitudes(left, right, capacity);
    }
    int32_t getBandLimitBin() const { return engine().getBandLimitBin(); }
    int32_t getBandLowBin() const { return engine().getBandLowBin(); }
    int32_t getBandHighBin() const { return engine().getBandHighBin(); }
    bool isResetPending() const { return engine().isResetPending(); }
    FrameEngine& engine() { return effect.frameEngine(); }
    const FrameEngine& engine() const { return effect.frameEngine(); }

    core::FixedRateHooks hooks;
    core::ZindraEffect effect;
};

struct Stereo {
    std::vector<float> left, right;
    explicit Stereo(size_t n = 0) : left(n, 0.0f), right(n, 0.0f) {}
    size_t size() const { return left.size(); }
};

// One plug-in instance at a given sample rate, with its first (reset) call
// already made so that the next sample processed is the stream's first.
class EngineHarness {
public:
    explicit EngineHarness(int sampleRate = 44100) {
        plugin = std::make_unique<CoreEffect>(static_cast<float>(sampleRate));
        prime();
    }

    // Applies parameter values, then runs the reset they ask for.
    void set(std::initializer_list<std::pair<int32_t, float>> values) {
        for (const auto& [index, value] : values) plugin->setParameter(index, value);
        prime();
    }
    void program(int32_t index) {
        plugin->setProgram(index);
        prime();
    }

    // Processes the whole signal in blocks of the given sizes (repeated).
    Stereo run(const Stereo& input, const std::vector<int32_t>& blocks = {512},
               bool replacing = true, const Stereo* initialOutput = nullptr) {
        Stereo output = initialOutput ? *initialOutput : Stereo(input.size());
        size_t pos = 0;
        for (size_t b = 0; pos < input.size(); ++b) {
            const auto n = static_cast<int32_t>(std::min<size_t>(
                static_cast<size_t>(blocks[b % blocks.size()]), input.size() - pos));
            float* in[2] = {const_cast<float*>(input.left.data() + pos),
                            const_cast<float*>(input.right.data() + pos)};
            float* out[2] = {output.left.data() + pos, output.right.data() + pos};
            if (replacing)
                plugin->processReplacing(in, out, n);
            else
                plugin->process(in, out, n);
            pos += static_cast<size_t>(n);
        }
        return output;
    }

    std::unique_ptr<CoreEffect> plugin;

private:
    void prime() {
        float* none[2] = {nullptr, nullptr};
        plugin->processReplacing(none, none, 0);
    }
};

// The processing written out plainly in double precision: separate DFTs of
// the two channels, the separation per bin, inverse DFTs, windowed
// overlap-add at a quarter frame, the dry path, and the 8192-sample delay.
struct ReferenceSettings {
    int frameSize = 4096;
    double sampleRate = 44100.0;
    double center = 0.215, width = 0.4, spread = 0.104, mix = 1.0, humidity = 1.0;
    bool bypass = false, zindracate = false, stereolize = false, passThru = false, isolate = false,
         spreadilate = false;
};

namespace reference {

inline void fft(std::vector<Complex>& a, bool inverse) {
    const size_t n = a.size();
    if (n == 1) return;
    std::vector<Complex> even(n / 2), odd(n / 2);
    for (size_t i = 0; i < n / 2; ++i) {
        even[i] = a[2 * i];
        odd[i] = a[2 * i + 1];
    }
    fft(even, inverse);
    fft(odd, inverse);
    const double sign = inverse ? 1.0 : -1.0;
    for (size_t k = 0; k < n / 2; ++k) {
        const Complex t = std::polar(1.0, sign * 2.0 * std::numbers::pi * k / n) * odd[k];
        a[k] = even[k] + t;
        a[k + n / 2] = even[k] - t;
    }
}

inline int roundEven(double x) { return static_cast<int>(std::nearbyint(x)); }

inline void separate(std::vector<Complex>& L, std::vector<Complex>& R, const ReferenceSettings& s) {
    const int half = s.frameSize / 2;
    const double nyquist = s.sampleRate / 2.0;
    const double centerHz = roundEven(s.center * 20000.0), widthHz = roundEven(s.width * 20000.0);
    double lowHz = centerHz - widthHz / 2.0, highHz = centerHz + widthHz / 2.0;
    if (lowHz <= 0.0) lowHz = 0.0;
    if (highHz >= 20000.0) highHz = 20000.0;
    const int lowBin = roundEven(half * lowHz / nyquist),
              highBin = roundEven(half * highHz / nyquist);
    const double angle = static_cast<float>(s.spread * std::numbers::pi / 4.0);
    BinSeparation bin;
    bin.spreadilate = s.spreadilate;
    bin.lo = static_cast<float>(std::numbers::pi / 4.0 - angle);
    bin.hi = static_cast<float>(std::numbers::pi / 4.0 + angle);
    bin.keepInside = s.zindracate;
    bin.bandStage = !s.passThru;
    bin.stereolize = s.stereolize;
    bin.isolate = s.isolate;
    bin.zindracate = s.zindracate;
    bin.mix = s.mix;
    for (int k = 0; k <= half; ++k) separateBin(L[k], R[k], k >= lowBin && k < highBin, bin);
}

// Output of the whole stream, aligned as the plug-in aligns it (input sample
// t comes out at t + 8192).
inline Stereo process(const Stereo& input, const ReferenceSettings& s) {
    const int n = s.frameSize, hop = n / 4, delay = 8192;
    const size_t total = input.size();
    std::vector<double> window(n);
    for (int k = 0; k < n; ++k)
        window[k] = 0.5 * (1.0 - std::cos(2.0 * std::numbers::pi * k / (n - 1)));
    std::vector<double> wetL(total + n), wetR(total + n);
    auto sample = [&](const std::vector<float>& x, long t) {
        return t >= 0 && t < static_cast<long>(total) ? static_cast<double>(x[t]) : 0.0;
    };
    // Frame j covers input samples (j+1) hop - 8192 ... + N - 1.
    for (long j = 0;; ++j) {
        const long start = (j + 1) * hop - delay;
        if (start >= static_cast<long>(total)) break;
        std::vector<Complex> L(n), R(n);
        for (int m = 0; m < n; ++m) {
            L[m] = sample(input.left, start + m) * window[m];
            R[m] = sample(input.right, start + m) * window[m];
        }
        fft(L, false);
        fft(R, false);
        if (!s.bypass) separate(L, R, s);
        for (int k = 1; k < n / 2; ++k) {
            L[n - k] = std::conj(L[k]);
            R[n - k] = std::conj(R[k]);
        }
        fft(L, true);
        fft(R, true);
        for (int m = 0; m < n; ++m) {
            const long t = start + m;
            if (t < 0) continue;
            wetL[t] += L[m].real() / n * window[m];
            wetR[t] += R[m].real() / n * window[m];
        }
    }
    Stereo out(total);
    const double gain = s.humidity * 2.0 / 3.0, dry = 1.0 - s.humidity;
    for (size_t i = delay; i < total; ++i) {
        const size_t t = i - delay;
        out.left[i] = static_cast<float>(wetL[t] * gain + input.left[t] * dry);
        out.right[i] = static_cast<float>(wetR[t] * gain + input.right[t] * dry);
    }
    return out;
}

}  // namespace reference

// Deterministic test material.
namespace signals {

inline float noise(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(static_cast<int32_t>(state)) / 2147483648.0f;
}

// A harmonic tone plus low noise, the same on both channels.
inline std::vector<float> music(size_t n, double sampleRate, uint32_t seed) {
    std::vector<float> x(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double v = 0.0;
        for (int h = 1; h <= 6; ++h)
            v += 0.15 / h * std::sin(2.0 * std::numbers::pi * 220.0 * h * t);
        x[i] = static_cast<float>(v + 0.02 * noise(seed));
    }
    return x;
}

}  // namespace signals

// Energy of a - b over a range, relative to the energy of b, in dB.
inline double errorDb(const std::vector<float>& a, const std::vector<float>& b, size_t from,
                      size_t to) {
    double err = 0.0, ref = 0.0;
    for (size_t i = from; i < to; ++i) {
        err += (static_cast<double>(a[i]) - b[i]) * (static_cast<double>(a[i]) - b[i]);
        ref += static_cast<double>(b[i]) * b[i];
    }
    if (err == 0.0) return -400.0;
    return 10.0 * std::log10(err / (ref > 0.0 ? ref : 1e-300));
}

inline double rmsDb(const std::vector<float>& a, size_t from, size_t to) {
    double e = 0.0;
    for (size_t i = from; i < to; ++i) e += static_cast<double>(a[i]) * a[i];
    e /= static_cast<double>(to - from);
    return e > 0.0 ? 10.0 * std::log10(e) : -400.0;
}
