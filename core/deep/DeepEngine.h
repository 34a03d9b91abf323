// DeepEngine: the audio path of Zindra Deep. Frames of 4096 samples at a
// quarter-frame hop, one transform for both channels, 4096 samples late.
//
// The separation (deep_kernels_body.h, bin by bin). The difference of the
// channels, D = L - R, holds no centred sound at all. Over a neighbourhood of
// three bins and the smoothing time, alpha = E[L conj D] / E[|D|^2] tells how
// the side is made: a single source panned with gains (a, b) gives
// alpha = a / (a - b), and the side of the bin is then exactly alpha D on the
// left and (alpha - 1) D on the right, rebuilt from D alone and so free of
// the centre even where the centre is the louder, as far as the fit can be
// trusted: where L follows D no more than chance allows over so few values,
// the bin counts as centre. Where the neighbourhood
// holds no single panned source (diffuse sound, sources on both sides), the
// bin is kept by a gain that grows with the share of its power in D. A
// source panned inside the width counts as centre. What is taken as centre
// leaves an echo that decays over the tail time; that much of what remains
// counts as centre too (the voice's reverb). Below the low keep and above the
// high keep nothing counts as centre. Remove outputs the input less the depth
// times the centre; Isolate outputs the input less the depth times the side.
// Both outputs are in phase: the side keeps the pan it had.
//
// Threads. The audio thread runs process; the controls may be set from any
// thread (each an atomic single value, read once per frame).
#pragma once

#include <atomic>
#include <cstdint>

#include "core/SampleRateSource.h"
#include "core/TripleBuffer.h"
#include "dsp/VecLib.h"

namespace deep {

struct DeepKernels;

class DeepEngine {
public:
    static constexpr int32_t kFrameSize = 4096;
    static constexpr int32_t kHopSize = kFrameSize / 4;
    static constexpr int32_t kBinCount = kFrameSize / 2 + 1;
    static constexpr int32_t kLatencySamples = kFrameSize;

    // [ui thread] Lays out the vectors and prepares the transform; ready()
    // tells whether the memory could be had.
    explicit DeepEngine(SampleRateSource& rate);
    ~DeepEngine();
    DeepEngine(const DeepEngine&) = delete;
    DeepEngine& operator=(const DeepEngine&) = delete;
    bool ready() const { return block != nullptr; }

    // [audio thread] A block: the output replaced, or (replacing false) added
    // to. Missing channels: nothing is processed. Input that is not finite
    // counts as silence. No allocation, lock or system call.
    void process(float** inputs, float** outputs, int32_t sampleFrames, bool replacing);
    // [ui thread] while audio stops: clears the signal state and asks the
    // rate again.
    void suspend();

    // [any thread] The controls, in their own units.
    void setDepthDb(float decibels);      // how far down: 0 .. 60 dB (60: silence)
    void setWidthPercent(float percent);  // pan positions that count as centre
    void setSmoothingMs(float milliseconds);
    void setTailMs(float milliseconds);  // the centre's echo: 0 (none) .. 3000 ms
    void setLowKeepHz(float hertz);      // the centre is left alone below
    void setHighKeepHz(float hertz);     // ... and above
    void setMix(float mix);              // 0 .. 1
    void setIsolate(bool on);

    // [any thread] For the display: copies the most recent frame's input
    // level and the level taken out of it (power per bin, both channels),
    // at most capacity values each; returns the bin count.
    int32_t copyLevels(float* input, float* removed, int32_t capacity);
    // [any thread] The rate the engine runs at since its last reset.
    float sampleRateHz() const { return publishedRate.load(std::memory_order_relaxed); }

private:
    struct Controls {
        std::atomic<float> floorGain{0.0f};
        std::atomic<float> widthQ{0.0f};
        std::atomic<float> smoothingMs{0.0f};
        std::atomic<float> tailMs{0.0f};
        std::atomic<float> lowKeepHz{0.0f};
        std::atomic<float> highKeepHz{0.0f};
        std::atomic<float> mix{1.0f};
        std::atomic<bool> isolate{false};
        std::atomic<bool> resetPending{true};
    };
    template <typename Take>
    void layOut(Take& take);
    void reset();
    void frameStep();
    void separateSpectrum();

    SampleRateSource& rateSource;
    const DeepKernels* kernels;
    Controls controls;
    float sampleRate = 44100.0f;
    std::atomic<float> publishedRate{44100.0f};
    void* block = nullptr;

    // Signal state: the frame (left in re, right in im), the overlap-add
    // accumulator; per bin the means that describe the side and the
    // centre's echo.
    ComplexF* frame = nullptr;
    ComplexF* accumulator = nullptr;
    float* meanRe = nullptr;
    float* meanIm = nullptr;
    float* meanDiff = nullptr;
    float* meanLeft = nullptr;
    float* echo = nullptr;
    // Work vectors, overwritten every frame.
    ComplexF* transformIn = nullptr;
    ComplexF* spectrum = nullptr;
    ComplexF* mirrored = nullptr;
    float* leftRe = nullptr;
    float* leftIm = nullptr;
    float* diffRe = nullptr;
    float* diffIm = nullptr;
    float* crossRe = nullptr;
    float* crossIm = nullptr;
    float* diffPower = nullptr;
    float* leftPower = nullptr;
    float* window = nullptr;
    // Display: three slots of (input, removed).
    struct LevelSlot {
        float* input = nullptr;
        float* removed = nullptr;
    };
    LevelSlot levelSlots[3];
    TripleBuffer levelExchange;

    int32_t hopPosition = 0;  // samples of the current hop taken in
};

}  // namespace deep
