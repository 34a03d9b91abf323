// The engine's set-up: vectors, frame geometry, sample-rate values, the
// analysis window, the band and the reset that applies a new frame size.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <numbers>

#include "dsp/VCFmath.h"
#include "dsp/VCFstd.h"
#include "dsp/VFmath.h"
#include "dsp/VFstd.h"
#include "host/DVstUtils.h"
#include "plugin/uPlugin.h"

namespace {

template <typename T>
T* vectorOf(uint32_t n, bool& ok) {
    void* memory = V_vector(n, sizeof(T));
    if (!memory) ok = false;
    return static_cast<T*>(memory);
}

}  // namespace

void APlugin::allocateVectors() {
    bool ok = true;
    ComplexF** frames[] = {&transformIn, &transformOut, &inputFrame,
                           &dryFrame,    &outputHop,    &ringBuffer};
    for (ComplexF** v : frames) *v = vectorOf<ComplexF>(kMaxFrameSize, ok);
    overlapBuffer = vectorOf<ComplexF>(2 * kMaxFrameSize, ok);
    window = vectorOf<float>(kMaxFrameSize, ok);
    ComplexF** spectra[] = {&spectrumL, &spectrumR, &bandL, &bandR, &sideL, &sideR};
    for (ComplexF** v : spectra) *v = vectorOf<ComplexF>(kMaxBinCount, ok);
    float** reals[] = {&bandMask,       &outsideMask,    &phaseL, &phaseR,
                       &workMagnitude1, &workMagnitude2, &angles, &spreadMask};
    for (float** v : reals) *v = vectorOf<float>(kMaxBinCount, ok);
    for (MagnitudeSlot& slot : magnitudeSlots) {
        slot.left = vectorOf<float>(kMaxBinCount, ok);
        slot.right = vectorOf<float>(kMaxBinCount, ok);
    }
    // The transforms' tables are made now, never on the audio thread.
    ok = ok && cfpFFTPrepare(4096) && cfpFFTPrepare(8192);
    allocated = ok;
    if (!ok) return;
    for (MagnitudeSlot& slot : magnitudeSlots) {
        fequ0(slot.left, kMaxBinCount);
        fequ0(slot.right, kMaxBinCount);
    }
    const MagnitudeSlot& slot = magnitudeSlots[magnitudeExchange.writeSlot()];
    magnitudeL = slot.left;
    magnitudeR = slot.right;
    // Masks are read before the first rebuild only if something goes wrong;
    // keep them defined.
    fequ0(bandMask, kMaxBinCount);
    fequ1(outsideMask, kMaxBinCount);
}

void APlugin::releaseVectors() {
    void* all[] = {transformIn,    transformOut,   inputFrame, dryFrame,    outputHop, ringBuffer,
                   overlapBuffer,  window,         spectrumL,  spectrumR,   bandL,     bandR,
                   sideL,          sideR,          bandMask,   outsideMask, phaseL,    phaseR,
                   workMagnitude1, workMagnitude2, angles,     spreadMask};
    for (void* v : all)
        if (v) V_free(v);
    for (MagnitudeSlot& slot : magnitudeSlots) {
        if (slot.left) V_free(slot.left);
        if (slot.right) V_free(slot.right);
        slot = {};
    }
}

void APlugin::suspend() {
    if (!allocated) return;
    ComplexF* frames[] = {inputFrame, dryFrame, outputHop, ringBuffer};
    for (ComplexF* v : frames) dequ0(v, kMaxFrameSize);
    dequ0(overlapBuffer, 2 * kMaxFrameSize);
    ComplexF* spectra[] = {spectrumL, spectrumR, bandL, bandR, sideL, sideR};
    for (ComplexF* v : spectra) dequ0(v, kMaxBinCount);
    float* reals[] = {phaseL, phaseR, workMagnitude1, workMagnitude2, angles, spreadMask};
    for (float* v : reals) fequ0(v, kMaxBinCount);
    // The display learns of the cleared engine through a published frame of
    // zeros; the slot the editor may be reading is not the writer's to touch.
    fequ0(magnitudeL, kMaxBinCount);
    fequ0(magnitudeR, kMaxBinCount);
    handOverMagnitudes();
    std::fill(std::begin(hopLargest), std::end(hopLargest), 0u);
    enteringLargest = 0;
}

void APlugin::resume() {}

void APlugin::computeFrameGeometry() {
    const int32_t n = frameSize;
    ringWrite = 0;
    halfSize = n / 2;
    binCount = n / 2 + 1;
    hopSize = n / 4;
    hopStart = n - n / 4;
    ringLag = kRingSize - n;
    ringRead = (ringWrite - ringLag) & kRingMask;
    uint32_t twoThirds = 0x3F2AAAABu;
    std::memcpy(&overlapGain, &twoThirds, sizeof overlapGain);
    framePos = 0;
    frameStart = 0;
    overlapStart = 0;
    publishedFrameSize.store(n, std::memory_order_relaxed);
    publishedHalfSize.store(halfSize, std::memory_order_relaxed);
    resume();
}

void APlugin::updateRateDependentValues() {
    double fs = updateSampleRate();
    // A host may have stored a rate no engine can run at (0, negative, not a
    // number); the engine then works with the default rate.
    if (!(fs > 0.0 && fs < 1e7)) fs = 44100.0;
    latencyMs.store(static_cast<float>(static_cast<double>(kLatencySamples * 1000) / fs),
                    std::memory_order_relaxed);
    lowLimitHz.store(0.0f, std::memory_order_relaxed);
    highLimitHz.store(20000.0f, std::memory_order_relaxed);
    const float nyquist = static_cast<float>(fs / 2.0);
    nyquistHz.store(nyquist, std::memory_order_relaxed);
    const int32_t half = publishedHalfSize.load(std::memory_order_relaxed);
    const double limit = std::floor(static_cast<double>(half) * 20000.0 / nyquist);
    bandLimitBin.store(limit >= half ? half : static_cast<int32_t>(limit),
                       std::memory_order_relaxed);
    const float span =
        highLimitHz.load(std::memory_order_relaxed) - lowLimitHz.load(std::memory_order_relaxed);
    centerScaleHz.store(span, std::memory_order_relaxed);
    widthScaleHz.store(span, std::memory_order_relaxed);
}

// The symmetric Hann window of length N: both ends exactly 0.
void APlugin::buildWindow() { fHanning(window, static_cast<uint32_t>(frameSize)); }

APlugin::BandEdges APlugin::computeBandEdges(int32_t halfBins, float nyquist) const {
    const float center = centerHz.load(std::memory_order_relaxed);
    const float width = widthHz.load(std::memory_order_relaxed);
    BandEdges band{};
    band.lowHz = center - width / 2.0f;
    band.highHz = center + width / 2.0f;
    const float low = lowLimitHz.load(std::memory_order_relaxed);
    const float high = highLimitHz.load(std::memory_order_relaxed);
    if (!(band.lowHz > low)) band.lowHz = 0.0f;
    if (!(band.highHz < high)) band.highHz = 20000.0f;
    band.lowBin = roundHalfEven(static_cast<double>(halfBins) * band.lowHz / nyquist);
    band.highBin = roundHalfEven(static_cast<double>(halfBins) * band.highHz / nyquist);
    return band;
}

// Any thread. Publishes the band for the display at once; the audio thread
// rebuilds its masks from the same controls before its next frame, so a
// frame always sees either the old masks or the new ones, never a mixture.
void APlugin::updateBandMask() {
    const BandEdges band = computeBandEdges(publishedHalfSize.load(std::memory_order_relaxed),
                                            nyquistHz.load(std::memory_order_relaxed));
    bandLowHz.store(band.lowHz, std::memory_order_relaxed);
    bandHighHz.store(band.highHz, std::memory_order_relaxed);
    bandLowBin.store(band.lowBin, std::memory_order_relaxed);
    bandHighBin.store(band.highBin, std::memory_order_relaxed);
    bandMasksStale.store(true, std::memory_order_release);
}

// Audio thread: the masks for the current controls and frame geometry. Only
// bins that exist are marked; the published bins keep the computed values.
void APlugin::rebuildBandMasks() {
    const BandEdges band = computeBandEdges(halfSize, nyquistHz.load(std::memory_order_relaxed));
    bandLowBin.store(band.lowBin, std::memory_order_relaxed);
    bandHighBin.store(band.highBin, std::memory_order_relaxed);
    const auto bins = static_cast<uint32_t>(binCount);
    fequ0(bandMask, bins);
    fequ1(outsideMask, bins);
    bandFirst = bandEnd = 0;
    if (band.lowBin < band.highBin && band.lowBin < binCount) {
        const int32_t first = band.lowBin < 0 ? 0 : band.lowBin;
        const int32_t end = band.highBin < binCount ? band.highBin : binCount;
        if (first < end) {
            fsvequC(bandMask + first, static_cast<uint32_t>(end - first), 1, 1.0f);
            bandFirst = first;
            bandEnd = end;
        }
    }
    fsubv(outsideMask, outsideMask, bandMask, bins);
}

void APlugin::resetEngine() {
    frameSize = requestedFrameSize.load(std::memory_order_relaxed);
    suspend();
    computeFrameGeometry();
    buildWindow();
    updateRateDependentValues();
    updateBandMask();
    // Taken with exchange, not cleared with a store: a "Center" or "Width"
    // change on another thread sets the flag after storing its value. If the
    // exchange takes that flag, acquire makes the value visible to the
    // rebuild below; if the flag comes later, it stays set and the next frame
    // rebuilds. A plain store could wipe a flag whose value the rebuild then
    // misses, leaving the masks stale until the next change.
    bandMasksStale.exchange(false, std::memory_order_acquire);
    rebuildBandMasks();
    resume();
}
