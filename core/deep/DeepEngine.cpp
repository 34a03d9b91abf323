#include "core/deep/DeepEngine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/VectorCarver.h"
#include "core/deep/deep_kernels.h"
#include "dsp/VCFmath.h"
#include "dsp/VFmath.h"

namespace deep {
namespace {

constexpr int32_t kN = DeepEngine::kFrameSize;
constexpr int32_t kHop = DeepEngine::kHopSize;
constexpr int32_t kBins = DeepEngine::kBinCount;
// A squared Hann window at a quarter-frame hop adds up to 3/2.
constexpr float kOverlapGain = 2.0f / 3.0f;
// The centre's echo starts at half the power taken as centre.
constexpr float kTailLevel = 0.5f;

}  // namespace

template <typename Take>
void DeepEngine::layOut(Take& take) {
    take(frame, kN);
    take(accumulator, kN);
    take(meanRe, kBins);
    take(meanIm, kBins);
    take(meanDiff, kBins);
    take(meanLeft, kBins);
    take(echo, kBins);
    take(spectrum, kN);
    take(transformIn, kN);
    take(mirrored, kBins);
    take(leftRe, kBins);
    take(leftIm, kBins);
    take(diffRe, kBins);
    take(diffIm, kBins);
    take(crossRe, kBins + 2);
    take(crossIm, kBins + 2);
    take(diffPower, kBins + 2);
    take(leftPower, kBins + 2);
    take(window, kN + 1);
    for (LevelSlot& slot : levelSlots) {
        take(slot.input, kBins);
        take(slot.removed, kBins);
    }
}

DeepEngine::DeepEngine(SampleRateSource& rate) : rateSource(rate), kernels(&deepKernels()) {
    Carver measure(nullptr);
    layOut(measure);
    if (!cfpFFTPrepare(kN)) return;
    block = V_vector(static_cast<uint32_t>(measure.bytes()), 1);
    if (!block) return;
    std::memset(block, 0, measure.bytes());
    Carver carve(block);
    layOut(carve);
    // Periodic: the first N points of a symmetric window of N + 1, whose
    // squares at a quarter-frame hop add up to exactly 3/2.
    fHanning(window, kN + 1);
    reset();
}

DeepEngine::~DeepEngine() {
    if (block) V_free(block);
}

void DeepEngine::reset() {
    sampleRate = rateSource.hostSampleRate();
    // A rate no host runs at (none, negative, not a number, beyond 10 MHz)
    // is taken as 44.1 kHz, as Zindra's engine takes it.
    if (!(sampleRate > 0.0f && sampleRate < 1e7f)) sampleRate = 44100.0f;
    publishedRate.store(sampleRate, std::memory_order_relaxed);
    std::fill(frame, frame + kN, ComplexF{0.0f, 0.0f});
    std::fill(accumulator, accumulator + kN, ComplexF{0.0f, 0.0f});
    for (float* v : {meanRe, meanIm, meanDiff, meanLeft, echo}) std::fill(v, v + kBins, 0.0f);
    hopPosition = 0;
}

void DeepEngine::suspend() {
    if (!block) return;
    controls.resetPending.store(true, std::memory_order_release);
}

void DeepEngine::setDepthDb(float decibels) {
    const double db = std::clamp(static_cast<double>(decibels), 0.0, 60.0);
    controls.floorGain.store(db >= 60.0 ? 0.0f : static_cast<float>(std::pow(10.0, -db / 20.0)));
}

void DeepEngine::setWidthPercent(float percent) {
    // tan(p pi/4): (a - b) / (a + b) of a source panned to p (constant-power law).
    const double p = std::clamp(static_cast<double>(percent), 0.0, 100.0) / 100.0;
    controls.widthQ.store(static_cast<float>(std::tan(p * 3.14159265358979323846 / 4.0)));
}

void DeepEngine::setSmoothingMs(float milliseconds) {
    controls.smoothingMs.store(std::max(0.0f, milliseconds));
}
void DeepEngine::setTailMs(float milliseconds) {
    controls.tailMs.store(std::max(0.0f, milliseconds));
}
void DeepEngine::setLowKeepHz(float hertz) { controls.lowKeepHz.store(hertz); }
void DeepEngine::setHighKeepHz(float hertz) { controls.highKeepHz.store(hertz); }
void DeepEngine::setMix(float mix) { controls.mix.store(std::clamp(mix, 0.0f, 1.0f)); }
void DeepEngine::setIsolate(bool on) { controls.isolate.store(on); }

void DeepEngine::process(float** inputs, float** outputs, int32_t sampleFrames, bool replacing) {
    if (!block || sampleFrames < 1) return;
    if (!inputs || !inputs[0] || !inputs[1] || !outputs || !outputs[0] || !outputs[1]) return;
    if (controls.resetPending.exchange(false, std::memory_order_acquire)) reset();
    const float* inL = inputs[0];
    const float* inR = inputs[1];
    float* outL = outputs[0];
    float* outR = outputs[1];
    int32_t done = 0;
    while (done < sampleFrames) {
        const int32_t run = std::min(sampleFrames - done, kHop - hopPosition);
        const auto count = static_cast<uint32_t>(run);
        // Input first: the host may pass the same memory for both.
        kernels->enterSamples(frame + (kN - kHop) + hopPosition, inL + done, inR + done, count);
        kernels->leaveSamples(outL + done, outR + done, accumulator + hopPosition, count,
                              replacing);
        done += run;
        hopPosition += run;
        if (hopPosition == kHop) {
            hopPosition = 0;
            frameStep();
        }
    }
}

void DeepEngine::frameStep() {
    kernels->windowFrame(transformIn, frame, window, kN);
    cfpFFT(spectrum, transformIn, kN, +1);
    separateSpectrum();  // from spectrum into transformIn
    cfpFFT(spectrum, transformIn, kN, -1);
    // The accumulator turns by a hop: what left during the hop goes, an
    // empty hop comes in at the end.
    std::memmove(accumulator, accumulator + kHop, (kN - kHop) * sizeof(ComplexF));
    std::fill(accumulator + (kN - kHop), accumulator + kN, ComplexF{0.0f, 0.0f});
    kernels->accumulate(accumulator, spectrum, window, kOverlapGain, kN);
    std::memmove(frame, frame + kHop, (kN - kHop) * sizeof(ComplexF));
}

// One transform holds both channels: left in the real part and right in the
// imaginary part of its input (see deep_kernels.h for the split and merge).
void DeepEngine::separateSpectrum() {
    LevelSlot& levels = levelSlots[levelExchange.writeSlot()];
    const BinVectors vectors{leftRe,   leftIm,    diffRe,    diffIm,       crossRe,
                             crossIm,  diffPower, leftPower, meanRe,       meanIm,
                             meanDiff, meanLeft,  echo,      levels.input, levels.removed};
    kernels->split(spectrum, kN, mirrored, vectors);

    FrameSettings settings{};
    const float smoothingSamples =
        controls.smoothingMs.load(std::memory_order_relaxed) * 0.001f * sampleRate;
    settings.learn = static_cast<float>(kHop) / (static_cast<float>(kHop) + smoothingSamples);
    const float widthQ = controls.widthQ.load(std::memory_order_relaxed);
    settings.widthQ2 = widthQ * widthQ;
    // The rho of a source at the width's pan: 1 - cos(p pi/2) = 2 q^2 / (1 + q^2).
    const float widthRho = 2.0f * settings.widthQ2 / (1.0f + settings.widthQ2);
    settings.diffuseRho2 = widthRho * widthRho;
    // The echo falls by 60 dB over the tail: per hop by about exp(-6.9 hop / tail).
    const float tailSamples = controls.tailMs.load(std::memory_order_relaxed) * 0.001f * sampleRate;
    const bool tail = tailSamples > 0.0f;
    settings.tailDecay =
        tail ? 1.0f / (1.0f + 6.9f * static_cast<float>(kHop) / tailSamples) : 0.0f;
    settings.tailLevel = tail ? kTailLevel : 0.0f;
    const float binHz = sampleRate / static_cast<float>(kN);
    settings.lowBin = controls.lowKeepHz.load(std::memory_order_relaxed) / binHz;
    settings.highBin = controls.highKeepHz.load(std::memory_order_relaxed) / binHz;
    settings.take = (1.0f - controls.floorGain.load(std::memory_order_relaxed)) *
                    controls.mix.load(std::memory_order_relaxed);
    settings.keepsInput = controls.isolate.load(std::memory_order_relaxed) ? 0.0f : 1.0f;
    // A one-pole mean over frames holds about (2 - learn) / learn of them;
    // the three bins add about half as many again.
    settings.samples = 1.5f * (2.0f - settings.learn) / settings.learn;

    kernels->separate(settings, kBins, vectors);
    levelExchange.publish();
    kernels->merge(transformIn, kN, mirrored, vectors);
}

int32_t DeepEngine::copyLevels(float* input, float* removed, int32_t capacity) {
    if (!block) return 0;
    const LevelSlot& slot = levelSlots[levelExchange.readSlot()];
    const auto count = static_cast<size_t>(std::clamp(capacity, 0, kBins));
    if (input) std::memcpy(input, slot.input, count * sizeof(float));
    if (removed) std::memcpy(removed, slot.removed, count * sizeof(float));
    return kBins;
}

}  // namespace deep
