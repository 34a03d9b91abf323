// Runs a stream of stereo audio through a hosted effect so that the result
// lines up with the input sample for sample and has the same length.
//
// What stands between a host's input and its output is the effect's
// reported latency (initialDelay): the first `latency` output samples are
// dropped, and as many samples of silence are fed at the end to flush the
// tail. The first input sample goes into the first processing call, as in
// any host; a pending engine reset is carried out within that call.
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

private:
    void processBlock(const float* left, const float* right, int32_t n);

    HostedPlugin& plugin;
    int32_t blockSize;
    Sink sink;
    int64_t toSkip;
    std::vector<float> inL, inR, outL, outR;
};
