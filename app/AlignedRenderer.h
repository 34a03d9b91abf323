// Runs a stream of stereo audio through a hosted effect so that the result
// lines up with the input sample for sample and has the same length.
//
// Two things stand between a host's input and its output. The effect's
// reported latency (initialDelay): the first `latency` output samples are
// dropped, and as many samples of silence are fed at the end to flush the
// tail. And the engine reset that Zindra performs in the first processing
// call after construction or after any program change: that call processes
// nothing and writes no output. The renderer therefore opens with a priming
// call of one silent sample, whose output is not used: it takes the reset,
// and the first input sample starts the effect's hop grid, as in a freshly
// loaded plug-in. (An effect with no reset pending processes it as one
// sample of silence ahead of the input, which changes no alignment.)
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class HostedPlugin;

class AlignedRenderer {
public:
    // Receives aligned output, n frames of left and right.
    using Sink = std::function<void(const float* left, const float* right, int32_t n)>;

    // The plug-in must have been started with a block size of at least blockSize
    // and be in the state it is to process with.
    AlignedRenderer(HostedPlugin& plugin, int32_t blockSize, Sink sink);

    // Feeds n frames; any n, in any number of calls.
    void feed(const float* left, const float* right, int64_t n);
    // Flushes the latency with silence; after it, as many frames have gone
    // to the sink as were fed.
    void finish();

    // Whether the effect spent the priming call on a reset (its outputs
    // came back untouched or silent).
    bool primingSwallowed() const { return swallowed; }

private:
    void prime();
    void processBlock(const float* left, const float* right, int32_t n);

    HostedPlugin& plugin;
    int32_t blockSize;
    Sink sink;
    int64_t toSkip;
    bool primed = false;
    bool swallowed = false;
    std::vector<float> inL, inR, outL, outR;
};
