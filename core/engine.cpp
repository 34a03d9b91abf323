// The audio path: input ring, framing, the stereo transform with its split
// and merge, overlap-add and the dry path. Runs on the audio thread only.
#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include "core/FrameEngine.h"
#include "dsp/VCFmath.h"
#include "dsp/VCFstd.h"
#include "dsp/VecLib.h"

namespace {

bool usable(float** channels) { return channels && channels[0] && channels[1]; }

}  // namespace

// A pending reset is carried out at the start of the call, and the call's
// block is then processed as the first block after it: hosts set a program
// (which asks for a reset) just before they start, and their first block is
// audio like any other. Frame grid and latency count from that block.
void FrameEngine::takePendingReset() {
    // exchange, so that a request made while the reset runs is not lost.
    if (controls.resetPending.exchange(false, std::memory_order_acquire)) resetEngine();
}

void FrameEngine::process(float** inputs, float** outputs, int32_t sampleFrames, bool replacing) {
    if (!allocated) return;
    takePendingReset();
    processBlock(inputs, outputs, replacing, sampleFrames);
}

void FrameEngine::processBlock(float** inputs, float** outputs, bool replacing,
                               int32_t sampleFrames) {
    const float wetHumidity = controls.humidity.load(std::memory_order_relaxed);
    wetGain = wetHumidity * overlapGain;
    dryGain = 1.0f - wetHumidity;
    if (framePos == 0) framePos = hopStart;
    if (sampleFrames < 1 || !usable(inputs) || !usable(outputs)) return;
    int32_t done = 0;
    while (done < sampleFrames) {
        // A run of samples with no frame step and no ring wrap inside it, so
        // that every loop below walks contiguous memory.
        int32_t run = sampleFrames - done;
        run = std::min(run, frameSize - framePos);
        run = std::min(run, kRingSize - ringWrite);
        run = std::min(run, kRingSize - ringRead);
        const auto count = static_cast<uint32_t>(run);

        // All of the run's input is read before any of its output is
        // written: the host may pass the same memory for both.
        kernels->fillRing(ringBuffer + ringWrite, inputs[0] + done, inputs[1] + done, count);
        // With N = 8192 ringRead equals ringWrite: what was just written is read back.
        const uint32_t largest = kernels->enterFrame(
            inputFrame + ((frameStart + framePos) & (frameSize - 1)), ringBuffer + ringRead, count);
        enteringLargest = std::max(enteringLargest, largest);
        const int32_t b = framePos - hopStart;
        kernels->mixOutput(outputs[0] + done, outputs[1] + done, outputHop + b, dryFrame + b, count,
                           wetGain, dryGain, replacing);

        done += run;
        framePos += run;
        ringWrite = (ringWrite + run) & kRingMask;
        ringRead = (ringRead + run) & kRingMask;
        if (framePos == frameSize) {
            framePos = hopStart;
            frameStep();
        }
    }
}

namespace {

// The frame is scaled by a power of two whenever its largest part lies
// outside 2^-30 .. 2^40: silence (the 1e-20 offsets) and absurdly loud input.
// Scaled, its largest part lies near 2^20, where the squares of the spectra's
// parts neither overflow nor fall into the denormal range. Scaling by a power
// of two changes no rounding, so the results are those of the unscaled frame.
// The bound is taken before the window, whose values are at most 1.
float frameScale(uint32_t largestBits) {
    if (largestBits == 0 || largestBits >= 0x7F800000u) return 1.0f;  // zero, inf, NaN
    const int exponent = static_cast<int>(largestBits >> 23) - 127;
    if (exponent >= -30 && exponent <= 40) return 1.0f;
    const int shift = std::clamp(20 - exponent, -100, 100);
    return std::bit_cast<float>(static_cast<uint32_t>(127 + shift) << 23);
}

}  // namespace

void FrameEngine::frameStep() {
    const auto n = static_cast<uint32_t>(frameSize);
    const auto hop = static_cast<uint32_t>(hopSize);
    if (bandMasksStale.exchange(false, std::memory_order_acquire)) rebuildBandMasks();

    // The frame and the overlap-add accumulator are rings that turn by a hop
    // per frame instead of being shifted: frame position j lives at
    // (frameStart + j) mod N, accumulator position j at (overlapStart + j) mod N.
    // A turn is a multiple of the hop, so every hop-long stretch is contiguous.
    const auto start = static_cast<uint32_t>(frameStart);
    // Only the first quarter of the dry copy is ever read.
    dequv(dryFrame, inputFrame + start, hop);
    // The frame holds the last four hops.
    hopLargest[hopSlot] = enteringLargest;
    enteringLargest = 0;
    hopSlot = (hopSlot + 1) % kHopsPerFrame;
    const float scale = frameScale(*std::max_element(std::begin(hopLargest), std::end(hopLargest)));
    kernels->windowFrame(transformIn, inputFrame + start, window, n - start, scale);
    if (start > 0)
        kernels->windowFrame(transformIn + (n - start), inputFrame, window + (n - start), start,
                             scale);
    cfpFFT(transformOut, transformIn, n, +1);
    // Split, separation (unless Bypass), the display magnitudes and merge, in
    // one pass from transformOut to transformIn.
    separateSpectra();
    if (scale != 1.0f) unscaleMagnitudes(1.0f / scale);
    handOverMagnitudes();
    cfpFFT(transformOut, transformIn, n, -1);

    const auto origin = static_cast<uint32_t>(overlapStart);
    kernels->accumulateWindowed(overlapBuffer + origin, transformOut, window, n - origin,
                                1.0f / scale);
    if (origin > 0)
        kernels->accumulateWindowed(overlapBuffer, transformOut + (n - origin),
                                    window + (n - origin), origin, 1.0f / scale);
    dequv(outputHop, overlapBuffer + origin, hop);
    // What leaves at the front comes back empty at the end.
    dequ0(overlapBuffer + origin, hop);
    overlapStart = static_cast<int32_t>((origin + hop) & (n - 1));
    frameStart = static_cast<int32_t>((start + hop) & (n - 1));
}

// Back to the frame's own scale. A magnitude beyond the single-precision
// range becomes the largest float and is reported, as the toolkit's cfabs does.
void FrameEngine::unscaleMagnitudes(float factor) {
    const auto bins = static_cast<uint32_t>(binCount);
    const bool left = kernels->scaleMagnitudes(magnitudeL, bins, factor);
    const bool right = kernels->scaleMagnitudes(magnitudeR, bins, factor);
    if (left || right) V_mathError("VCF_abs", VecMathError::Overflow);
}

// The frame just written becomes the newest for the editor; the next one is
// written into another slot.
void FrameEngine::handOverMagnitudes() {
    magnitudeSlots[magnitudeExchange.writeSlot()].bins = binCount;
    magnitudeExchange.publish();
    const MagnitudeSlot& next = magnitudeSlots[magnitudeExchange.writeSlot()];
    magnitudeL = next.left;
    magnitudeR = next.right;
}

int32_t FrameEngine::copyMagnitudes(float* left, float* right, int32_t capacity) {
    if (!allocated) return 0;
    const MagnitudeSlot& slot = magnitudeSlots[magnitudeExchange.readSlot()];
    const int32_t bins = slot.bins > 0 ? slot.bins : publishedHalfSize.load() + 1;
    const int32_t count = bins < capacity ? bins : capacity;
    if (count > 0) {
        if (left) std::memcpy(left, slot.left, static_cast<size_t>(count) * sizeof(float));
        if (right) std::memcpy(right, slot.right, static_cast<size_t>(count) * sizeof(float));
    }
    return bins;
}
