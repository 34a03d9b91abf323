// A short song-like stereo mix built from scratch, the same on every run:
// a voice-like harmonic source in the centre (vibrato, vowels, syllables),
// a plucked instrument on the left, a sustained chord on the right and a
// bass line in the centre. Each part is kept apart as well, so that what a
// program does to each can be measured in the processed mix.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct StereoSignal {
    std::vector<float> left, right;
    size_t size() const { return left.size(); }
};

struct DemoMix {
    int32_t sampleRate;
    StereoSignal voice, leftInstrument, rightInstrument, bass;
    StereoSignal mix;  // the sum of the four
};

// The voice sung around 330 Hz, so that its fundamental lies inside the
// vocal programs' band (300 Hz to 8.3 kHz), or spoken with a fundamental
// gliding between 200 and 250 Hz, below the band, as most speaking voices.
enum class DemoVoice { Sung, Spoken };

DemoMix makeDemoMix(int32_t sampleRate, double seconds, DemoVoice voice);
