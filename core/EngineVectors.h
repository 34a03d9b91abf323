// EngineVectors: the frame engine's vectors, owned in one place. One aligned
// block, sized for the larger frame, is laid out at construction and freed
// with the object; nothing is allocated afterwards. The signal state (what a
// suspend clears) lies at the block's start, so it is cleared in one pass.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dsp/VecLib.h"

class EngineVectors {
public:
    static constexpr int32_t kMaxFrameSize = 8192;
    static constexpr int32_t kMaxBinCount = kMaxFrameSize / 2 + 1;

    // Display magnitudes: three slots of (left, right, bin count) handed from
    // the audio thread to the editor's thread without either waiting.
    struct MagnitudeSlot {
        float* left = nullptr;
        float* right = nullptr;
        int32_t bins = 0;
    };

    // [ui thread] construction; reports and leaves vectorsReady() false when
    // the memory cannot be had.
    EngineVectors();
    ~EngineVectors();
    EngineVectors(const EngineVectors&) = delete;
    EngineVectors& operator=(const EngineVectors&) = delete;

    bool vectorsReady() const { return block != nullptr; }
    // [audio thread] (a reset) or [ui thread] while audio stops: zeroes the
    // signal state; the window, the transforms' buffers and the display slots
    // keep their contents.
    void clearSignalState();

protected:
    // Signal state: the input ring, the frame, its dry copy, the hop leaving
    // and the overlap-add accumulator.
    ComplexF* ringBuffer = nullptr;
    ComplexF* inputFrame = nullptr;
    ComplexF* dryFrame = nullptr;
    ComplexF* outputHop = nullptr;
    ComplexF* overlapBuffer = nullptr;  // two frames long
    // The transform's input and output, overwritten by every frame.
    ComplexF* transformIn = nullptr;
    ComplexF* transformOut = nullptr;
    // The analysis window, built by each reset for the frame size.
    float* window = nullptr;
    MagnitudeSlot magnitudeSlots[3];

private:
    // The one list of the vectors: calls take(vector, count) for each, the
    // signal state first, and answers the bytes the signal state spans.
    template <typename Take>
    size_t layOut(Take& take);

    void* block = nullptr;
    size_t signalStateBytes = 0;
};
