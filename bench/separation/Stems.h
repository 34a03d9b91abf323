// Test mixes made from separately synthesised stems, so that what an effect
// leaves of each stem can be measured. Everything is generated here from
// fixed seeds: the same samples on every machine and every run.
#pragma once

#include <string>
#include <vector>

namespace separation {

constexpr int kRate = 44100;

struct StereoSignal {
    std::vector<float> left, right;
    size_t size() const { return left.size(); }
};

enum class StemRole {
    Voice,  // what removal takes away and isolation keeps
    Side,   // instruments away from the centre, or a wide pad
    Low,    // centred bass and kick: what a low keep is for
};

struct Stem {
    std::string name;
    StemRole role;
    StereoSignal signal;
};

struct TestMix {
    std::string name;
    std::vector<Stem> stems;
    StereoSignal mix;  // the sum of the stems
};

// The three mixes, each `seconds` long:
// "hard-panned": a centred dry voice, guitar hard left, keys hard right;
// "song": the voice with stereo reverb, guitar 30 % left, keys 30 % right,
//         bass and kick in the centre;
// "pad": a centred dry voice over a wide, decorrelated stereo pad.
std::vector<TestMix> makeTestMixes(double seconds);

}  // namespace separation
