#include "app/DemoMix.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Places a mono source in the stereo image with a constant-power pan law:
// -1 hard left, 0 centre (full level on both sides), +1 hard right.
void addPanned(StereoSignal& out, const std::vector<double>& mono, double pan) {
    const double angle = (pan + 1.0) * std::numbers::pi / 4.0;
    const double gainL = std::cos(angle) * std::numbers::sqrt2;
    const double gainR = std::sin(angle) * std::numbers::sqrt2;
    for (size_t i = 0; i < mono.size(); ++i) {
        out.left[i] += static_cast<float>(gainL * mono[i]);
        out.right[i] += static_cast<float>(gainR * mono[i]);
    }
}

// A voice, crudely: a harmonic tone whose harmonics are shaped by two
// formants that move from vowel to vowel, in syllables of a quarter second
// with short breaks. Sung, it follows a melody around 330 Hz with a 5.5 Hz
// vibrato; spoken, its pitch glides between 200 and 250 Hz.
std::vector<double> voice(int32_t rate, size_t length, DemoVoice kind) {
    static const double vowels[][2] = {
        {730, 1090}, {270, 2290}, {530, 1840}, {570, 840}, {440, 1020}};
    static const double melody[] = {1.0, 1.125, 1.25, 1.125, 1.5, 1.333, 1.25, 1.0};
    std::vector<double> out(length);
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const auto syllable = static_cast<size_t>(t / 0.25);
        const double inSyllable = t - 0.25 * static_cast<double>(syllable);
        const double envelope = std::min(1.0, inSyllable / 0.02) *
                                std::max(0.0, std::min(1.0, (0.21 - inSyllable) / 0.03));
        const double f0 =
            kind == DemoVoice::Sung
                ? 330.0 * melody[(syllable / 2) % 8] * (1.0 + 0.02 * std::sin(kTwoPi * 5.5 * t))
                : 225.0 + 25.0 * std::sin(kTwoPi * 0.9 * t + static_cast<double>(syllable % 3));
        phase += kTwoPi * f0 / rate;
        const double* formant = vowels[syllable % 5];
        double sample = 0.0;
        for (int k = 1; k * f0 < 8000.0; ++k) {
            const double f = k * f0;
            const double shape = 1.0 / (1.0 + std::pow((f - formant[0]) / 150.0, 2)) +
                                 0.6 / (1.0 + std::pow((f - formant[1]) / 200.0, 2)) + 0.05;
            sample += shape / k * std::sin(k * phase);
        }
        out[i] = 0.2 * envelope * sample;
    }
    return out;
}

// Plucked notes: harmonics that die away, a new note every half second.
std::vector<double> pluck(int32_t rate, size_t length) {
    static const double notes[] = {196.0, 246.9, 293.7, 392.0, 293.7, 246.9};
    std::vector<double> out(length);
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const auto note = static_cast<size_t>(t / 0.5);
        const double since = t - 0.5 * static_cast<double>(note);
        const double f = notes[note % 6];
        double sample = 0.0;
        for (int k = 1; k <= 12; ++k)
            sample += std::exp(-since * (3.0 + 1.5 * k)) / k * std::sin(kTwoPi * k * f * since);
        out[i] = 0.25 * sample;
    }
    return out;
}

// A sustained chord with a slow tremolo, with a little deterministic noise.
std::vector<double> chord(int32_t rate, size_t length) {
    static const double notes[] = {261.6, 329.6, 392.0, 523.3};
    std::vector<double> out(length);
    uint32_t seed = 2024;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        double sample = 0.0;
        for (double f : notes)
            for (int k = 1; k <= 6; ++k) sample += 0.5 / (k * k) * std::sin(kTwoPi * k * f * t + k);
        seed = seed * 1664525u + 1013904223u;
        const double noise = static_cast<double>(seed >> 8) / 16777216.0 - 0.5;
        out[i] = 0.08 * sample * (0.8 + 0.2 * std::sin(kTwoPi * 0.7 * t)) + 0.01 * noise;
    }
    return out;
}

// A bass line, one note a second.
std::vector<double> bassLine(int32_t rate, size_t length) {
    static const double notes[] = {55.0, 73.4, 82.4, 65.4};
    std::vector<double> out(length);
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += kTwoPi * notes[static_cast<size_t>(t) % 4] / rate;
        out[i] = 0.3 * (std::sin(phase) + 0.3 * std::sin(2 * phase));
    }
    return out;
}

StereoSignal silence(size_t length) {
    return {std::vector<float>(length), std::vector<float>(length)};
}

}  // namespace

DemoMix makeDemoMix(int32_t sampleRate, double seconds, DemoVoice kind) {
    const auto length = static_cast<size_t>(seconds * sampleRate);
    DemoMix mix{sampleRate,      silence(length), silence(length),
                silence(length), silence(length), silence(length)};
    addPanned(mix.voice, voice(sampleRate, length, kind), 0.0);
    addPanned(mix.leftInstrument, pluck(sampleRate, length), -0.8);
    addPanned(mix.rightInstrument, chord(sampleRate, length), 0.8);
    addPanned(mix.bass, bassLine(sampleRate, length), 0.0);
    for (size_t i = 0; i < length; ++i) {
        mix.mix.left[i] = mix.voice.left[i] + mix.leftInstrument.left[i] +
                          mix.rightInstrument.left[i] + mix.bass.left[i];
        mix.mix.right[i] = mix.voice.right[i] + mix.leftInstrument.right[i] +
                           mix.rightInstrument.right[i] + mix.bass.right[i];
    }
    return mix;
}
