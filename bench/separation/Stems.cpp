#include "bench/separation/Stems.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dsp/VCFmath.h"

namespace separation {
namespace {

constexpr double kPi = 3.14159265358979323846;

class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed) {}
    // Uniform in -1..1.
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
    double between(double lo, double hi) { return lo + (hi - lo) * 0.5 * (next() + 1.0); }

private:
    uint32_t state;
};

using Mono = std::vector<double>;

void scaleToRms(Mono& x, double rms) {
    double sum = 0.0;
    for (const double v : x) sum += v * v;
    const double now = std::sqrt(sum / static_cast<double>(x.size()));
    if (now > 0.0)
        for (double& v : x) v *= rms / now;
}

// Constant-power panning: position -1 (left) .. 1 (right).
StereoSignal pan(const Mono& x, double position) {
    const double angle = (position + 1.0) * kPi / 4.0;
    StereoSignal s;
    s.left.resize(x.size());
    s.right.resize(x.size());
    for (size_t i = 0; i < x.size(); ++i) {
        s.left[i] = static_cast<float>(x[i] * std::cos(angle));
        s.right[i] = static_cast<float>(x[i] * std::sin(angle));
    }
    return s;
}

// A sung line: harmonics of a gliding, vibrating fundamental shaped by the
// formants of a vowel per syllable, with a breath of noise before each.
Mono voice(size_t n, uint32_t seed) {
    struct Vowel {
        double f[3];
    };
    static constexpr Vowel kVowels[] = {{{730, 1090, 2440}},
                                        {{530, 1840, 2480}},
                                        {{270, 2290, 3010}},
                                        {{570, 840, 2410}},
                                        {{300, 870, 2240}}};
    static constexpr double kBandwidth[3] = {90, 110, 160};
    static constexpr double kWeight[3] = {1.0, 0.6, 0.3};
    static constexpr double kNotes[] = {196.0, 220.0, 246.9, 261.6, 293.7, 329.6, 220.0, 246.9};
    Noise noise(seed);
    Mono out(n, 0.0);
    double t = 0.3;
    double f0 = 220.0;
    double phase = 0.0;
    while (t < static_cast<double>(n) / kRate) {
        const double length = noise.between(0.18, 0.5);
        const double target = kNotes[static_cast<int>(noise.between(0, 7.999))];
        const Vowel& vowel = kVowels[static_cast<int>(noise.between(0, 4.999))];
        const auto first = static_cast<size_t>(t * kRate);
        const auto last = std::min(n, static_cast<size_t>((t + length) * kRate));
        // The breath before the syllable.
        double previous = 0.0;
        for (size_t i = first > 1800 ? first - 1800 : 0; i < first; ++i) {
            const double v = noise.next();
            out[i] += 0.08 * (v - previous);
            previous = v;
        }
        const double start = f0;
        for (size_t i = first; i < last; ++i) {
            const double age = static_cast<double>(i - first) / kRate;
            const double glide = std::min(1.0, age / 0.06);
            const double vibrato = age > 0.15 ? 0.012 * std::sin(2.0 * kPi * 5.5 * age) : 0.0;
            f0 = (start + (target - start) * glide) * (1.0 + vibrato);
            phase += 2.0 * kPi * f0 / kRate;
            if (phase > 2.0 * kPi) phase -= 2.0 * kPi;
            const double envelope = std::min({1.0, age / 0.03, (length - age) / 0.06});
            double sample = 0.0;
            for (int h = 1; h * f0 < 5000.0; ++h) {
                const double f = h * f0;
                double shape = 0.03;
                for (int k = 0; k < 3; ++k) {
                    const double d = (f - vowel.f[k]) / (kBandwidth[k] / 2.0);
                    shape += kWeight[k] / (1.0 + d * d);
                }
                sample += shape / h * std::sin(h * phase);
            }
            out[i] += std::max(0.0, envelope) * sample;
        }
        t += length + (noise.next() > 0.7 ? noise.between(0.3, 0.6) : noise.between(0.04, 0.15));
    }
    scaleToRms(out, 0.1);
    return out;
}

// Plucked strings (Karplus-Strong), a note every quarter second.
Mono guitar(size_t n, uint32_t seed) {
    static constexpr double kNotes[] = {110.0, 130.8, 164.8, 196.0, 220.0, 329.6, 164.8, 246.9};
    Noise noise(seed);
    Mono out(n, 0.0);
    const size_t step = kRate / 4;
    for (size_t start = 0, k = 0; start < n; start += step, ++k) {
        const double f = kNotes[(k * 3 + k / 8) % 8];
        const auto period = static_cast<size_t>(kRate / f);
        std::vector<double> line(period);
        for (double& v : line) v = noise.next();
        const size_t length = std::min(n - start, static_cast<size_t>(kRate));
        for (size_t i = 0; i < length; ++i) {
            const size_t at = i % period;
            const double v = line[at];
            line[at] = 0.498 * (v + line[(at + 1) % period]);
            out[start + i] += v;
        }
    }
    scaleToRms(out, 0.08);
    return out;
}

// The chords every half second: root, third and fifth.
constexpr double kChords[4][3] = {
    {220.0, 261.6, 329.6}, {174.6, 220.0, 261.6}, {261.6, 329.6, 392.0}, {196.0, 246.9, 293.7}};

// Electric-piano-like keys: decaying harmonics, a chord every half second.
Mono keys(size_t n) {
    Mono out(n, 0.0);
    const size_t step = kRate / 2;
    for (size_t start = 0, k = 0; start < n; start += step, ++k) {
        const size_t length = std::min(n - start, step);
        for (const double f : kChords[(k / 2) % 4]) {
            for (int h = 1; h <= 6; ++h) {
                for (size_t i = 0; i < length; ++i) {
                    const double age = static_cast<double>(i) / kRate;
                    const double release = std::min(1.0, (static_cast<double>(length - i)) / 400.0);
                    out[start + i] += std::exp(-age * (1.0 + h) * 1.5) / (h * h) * release *
                                      std::sin(2.0 * kPi * f * h * age);
                }
            }
        }
    }
    scaleToRms(out, 0.08);
    return out;
}

// The chords' roots two octaves down, a note every half second.
Mono bass(size_t n) {
    Mono out(n, 0.0);
    const size_t step = kRate / 2;
    for (size_t start = 0, k = 0; start < n; start += step, ++k) {
        const double f = kChords[(k / 2) % 4][0] / 4.0;
        const size_t length = std::min(n - start, step);
        for (size_t i = 0; i < length; ++i) {
            const double age = static_cast<double>(i) / kRate;
            const double envelope =
                std::min({1.0, age / 0.01, (static_cast<double>(length - i)) / 1300.0}) *
                (0.6 + 0.4 * std::exp(-age / 0.1));
            const double w = 2.0 * kPi * f * age;
            out[start + i] +=
                envelope * (std::sin(w) + 0.3 * std::sin(2 * w) + 0.1 * std::sin(3 * w));
        }
    }
    scaleToRms(out, 0.08);
    return out;
}

// A kick on every beat: a falling sine and a click.
Mono kick(size_t n, uint32_t seed) {
    Noise noise(seed);
    Mono out(n, 0.0);
    const size_t step = kRate / 2;
    for (size_t start = 0; start < n; start += step) {
        const size_t length = std::min(n - start, step);
        double phase = 0.0;
        for (size_t i = 0; i < length; ++i) {
            const double age = static_cast<double>(i) / kRate;
            phase += 2.0 * kPi * (45.0 + 90.0 * std::exp(-age / 0.03)) / kRate;
            out[start + i] +=
                std::exp(-age / 0.18) * std::sin(phase) +
                (i < 90 ? 0.3 * noise.next() * (1.0 - static_cast<double>(i) / 90.0) : 0.0);
        }
    }
    scaleToRms(out, 0.05);
    return out;
}

// A wide pad: each channel its own detuned saws with their own phases, so
// the two channels are nearly uncorrelated; a chord every two seconds.
StereoSignal pad(size_t n, uint32_t seed) {
    Noise noise(seed);
    Mono channels[2];
    for (Mono& out : channels) {
        out.assign(n, 0.0);
        const size_t step = 2 * kRate;
        for (size_t start = 0, k = 0; start < n; start += step, ++k) {
            const size_t length = std::min(n - start, step);
            for (const double root : kChords[k % 4]) {
                for (int voice = 0; voice < 3; ++voice) {
                    const double f = root * std::pow(2.0, noise.between(-12.0, 12.0) / 1200.0);
                    double phase = noise.between(0.0, 1.0);
                    double smooth = 0.0;
                    for (size_t i = 0; i < length; ++i) {
                        phase += f / kRate;
                        phase -= std::floor(phase);
                        const double edge = std::min({1.0, static_cast<double>(i) / 4000.0,
                                                      static_cast<double>(length - i) / 4000.0});
                        smooth += 0.25 * (2.0 * phase - 1.0 - smooth);
                        out[start + i] += edge * smooth;
                    }
                }
            }
        }
        scaleToRms(out, 0.08);
    }
    StereoSignal s;
    s.left.assign(channels[0].begin(), channels[0].end());
    s.right.assign(channels[1].begin(), channels[1].end());
    return s;
}

// The voice's stereo reverb: each channel the voice through its own
// exponentially decaying noise (1.3 s to -60 dB), 9 dB below the dry voice.
StereoSignal reverb(const Mono& dry, uint32_t seed) {
    size_t size = 1;
    while (size < dry.size() + 2 * kRate) size *= 2;
    Noise noise(seed);
    const auto length = static_cast<size_t>(1.6 * kRate);
    const auto predelay = static_cast<size_t>(0.025 * kRate);
    std::vector<ComplexF> response(size, ComplexF{0, 0}), signal(size, ComplexF{0, 0});
    double smoothL = 0.0, smoothR = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double decay = std::exp(-6.9 * static_cast<double>(i) / (1.3 * kRate));
        smoothL += 0.5 * (noise.next() - smoothL);
        smoothR += 0.5 * (noise.next() - smoothR);
        response[predelay + i] =
            ComplexF{static_cast<float>(decay * smoothL), static_cast<float>(decay * smoothR)};
    }
    for (size_t i = 0; i < dry.size(); ++i) signal[i].re = static_cast<float>(dry[i]);
    const auto n = static_cast<uint32_t>(size);
    cfpFFT(response.data(), response.data(), n, +1);
    cfpFFT(signal.data(), signal.data(), n, +1);
    for (size_t k = 0; k < size; ++k) {
        const ComplexF a = signal[k], b = response[k];
        signal[k] = ComplexF{a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
    }
    cfpFFT(signal.data(), signal.data(), n, -1);
    Mono left(dry.size()), right(dry.size());
    for (size_t i = 0; i < dry.size(); ++i) {
        left[i] = signal[i].re;
        right[i] = signal[i].im;
    }
    double dryEnergy = 0.0;
    for (const double v : dry) dryEnergy += v * v;
    const double rms =
        std::sqrt(dryEnergy / static_cast<double>(dry.size()) / 2.0) * std::pow(10.0, -9.0 / 20.0);
    scaleToRms(left, rms);
    scaleToRms(right, rms);
    StereoSignal s;
    s.left.assign(left.begin(), left.end());
    s.right.assign(right.begin(), right.end());
    return s;
}

StereoSignal plus(StereoSignal a, const StereoSignal& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        a.left[i] += b.left[i];
        a.right[i] += b.right[i];
    }
    return a;
}

TestMix mixOf(std::string name, std::vector<Stem> stems) {
    TestMix mix{std::move(name), std::move(stems), {}};
    mix.mix = mix.stems.front().signal;
    for (size_t s = 1; s < mix.stems.size(); ++s) mix.mix = plus(mix.mix, mix.stems[s].signal);
    return mix;
}

}  // namespace

std::vector<TestMix> makeTestMixes(double seconds) {
    const auto n = static_cast<size_t>(seconds * kRate);
    const Mono sung = voice(n, 11);
    const Mono plucked = guitar(n, 23);
    const Mono chords = keys(n);
    const StereoSignal centred = pan(sung, 0.0);
    std::vector<TestMix> mixes;
    mixes.push_back(mixOf("hard-panned", {{"voice", StemRole::Voice, centred},
                                          {"guitar L", StemRole::Side, pan(plucked, -1.0)},
                                          {"keys R", StemRole::Side, pan(chords, 1.0)}}));
    mixes.push_back(
        mixOf("song", {{"voice+reverb", StemRole::Voice, plus(centred, reverb(sung, 37))},
                       {"guitar 30L", StemRole::Side, pan(plucked, -0.3)},
                       {"keys 30R", StemRole::Side, pan(chords, 0.3)},
                       {"bass", StemRole::Low, pan(bass(n), 0.0)},
                       {"kick", StemRole::Low, pan(kick(n, 41), 0.0)}}));
    mixes.push_back(mixOf(
        "pad", {{"voice", StemRole::Voice, centred}, {"wide pad", StemRole::Side, pad(n, 53)}}));
    return mixes;
}

}  // namespace separation
