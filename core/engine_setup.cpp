// The engine's set-up: frame geometry, sample-rate values, the analysis
// window, the band and the reset that applies a new frame size.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <numbers>

#include "core/FrameEngine.h"
#include "core/FrequencyLimits.h"
#include "dsp/VCFmath.h"
#include "dsp/VCFstd.h"
#include "dsp/VFmath.h"
#include "dsp/VFstd.h"
#include "dsp/Vst_math.h"

FrameEngine::FrameEngine(SampleRateSource& rate) : rateSource(rate) {
    // The vectors for the larger frame size, then the first set-up.
    frameSize = controls.requestedFrameSize.load();
    allocated = prepareEngine();
    if (!allocated) return;
    computeFrameGeometry();
    updateRateDependentValues();
    buildWindow();
    updateBandMask();
}

bool FrameEngine::prepareEngine() {
    // The transforms' tables are made now, never on the audio thread.
    if (!vectorsReady() || !cfpFFTPrepare(4096) || !cfpFFTPrepare(8192)) return false;
    const MagnitudeSlot& slot = magnitudeSlots[magnitudeExchange.writeSlot()];
    magnitudeL = slot.left;
    magnitudeR = slot.right;
    return true;
}

void FrameEngine::suspend() {
    if (!allocated) return;
    clearSignalState();
    // The display learns of the cleared engine through a published frame of
    // zeros; the slot the editor may be reading is not the writer's to touch.
    fequ0(magnitudeL, kMaxBinCount);
    fequ0(magnitudeR, kMaxBinCount);
    handOverMagnitudes();
    std::fill(std::begin(hopLargest), std::end(hopLargest), 0u);
    enteringLargest = 0;
}

void FrameEngine::computeFrameGeometry() {
    const int32_t n = frameSize;
    ringWrite = 0;
    halfSize = n / 2;
    binCount = n / 2 + 1;
    hopSize = n / 4;
    hopStart = n - n / 4;
    ringLag = kRingSize - n;
    ringRead = (ringWrite - ringLag) & kRingMask;
    // Four Hann windows at a quarter-frame hop, applied at analysis and at
    // synthesis, sum to 3/2: the overlap-add is scaled by 2/3, as the float
    // nearest to it (0x3F2AAAAB).
    overlapGain = 2.0f / 3.0f;
    framePos = 0;
    frameStart = 0;
    overlapStart = 0;
    publishedFrameSize.store(n, std::memory_order_relaxed);
    publishedHalfSize.store(halfSize, std::memory_order_relaxed);
}

void FrameEngine::updateRateDependentValues() {
    double fs = rateSource.hostSampleRate();
    // A host may have stored a rate no engine can run at (0, negative, not a
    // number); the engine then works with the default rate.
    if (!(fs > 0.0 && fs < 1e7)) fs = 44100.0;
    latencyMs.store(static_cast<float>(static_cast<double>(kLatencySamples * 1000) / fs),
                    std::memory_order_relaxed);
    lowLimitHz.store(kLowLimitHz, std::memory_order_relaxed);
    highLimitHz.store(kHighLimitHz, std::memory_order_relaxed);
    const float nyquist = static_cast<float>(fs / 2.0);
    nyquistHz.store(nyquist, std::memory_order_relaxed);
    const int32_t half = publishedHalfSize.load(std::memory_order_relaxed);
    const double limit = std::floor(static_cast<double>(half) * 20000.0 / nyquist);
    bandLimitBin.store(limit >= half ? half : static_cast<int32_t>(limit),
                       std::memory_order_relaxed);
    centerScaleHz.store(kFrequencySpanHz, std::memory_order_relaxed);
    widthScaleHz.store(kFrequencySpanHz, std::memory_order_relaxed);
}

// The symmetric Hann window of length N: both ends exactly 0.
void FrameEngine::buildWindow() { fHanning(window, static_cast<uint32_t>(frameSize)); }

FrameEngine::BandEdges FrameEngine::computeBandEdges(int32_t halfBins, float nyquist) const {
    const float center = controls.centerHz.load(std::memory_order_relaxed);
    const float width = controls.widthHz.load(std::memory_order_relaxed);
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
void FrameEngine::updateBandMask() {
    const BandEdges band = computeBandEdges(publishedHalfSize.load(std::memory_order_relaxed),
                                            nyquistHz.load(std::memory_order_relaxed));
    bandLowBin.store(band.lowBin, std::memory_order_relaxed);
    bandHighBin.store(band.highBin, std::memory_order_relaxed);
    bandMasksStale.store(true, std::memory_order_release);
}

// Audio thread: the band's run of bins for the current controls and frame
// geometry. Only bins that exist are in it; the published bins keep the
// computed values.
void FrameEngine::rebuildBandMasks() {
    const BandEdges band = computeBandEdges(halfSize, nyquistHz.load(std::memory_order_relaxed));
    bandLowBin.store(band.lowBin, std::memory_order_relaxed);
    bandHighBin.store(band.highBin, std::memory_order_relaxed);
    bandFirst = bandEnd = 0;
    if (band.lowBin < band.highBin && band.lowBin < binCount) {
        bandFirst = band.lowBin < 0 ? 0 : band.lowBin;
        bandEnd = band.highBin < binCount ? band.highBin : binCount;
        if (bandFirst >= bandEnd) bandFirst = bandEnd = 0;
    }
}

void FrameEngine::resetEngine() {
    frameSize = controls.requestedFrameSize.load(std::memory_order_relaxed);
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
}

void FrameEngine::setCenter(float value) {
    controls.centerHz.store(
        static_cast<float>(roundHalfEven(static_cast<double>(value) * centerScaleHz.load())));
    updateBandMask();
}

void FrameEngine::setWidth(float value) {
    controls.widthHz.store(
        static_cast<float>(roundHalfEven(static_cast<double>(value) * widthScaleHz.load())));
    updateBandMask();
}

void FrameEngine::setSpread(float value) {
    controls.spreadAngle.store(
        static_cast<float>(static_cast<double>(value) * std::numbers::pi / 4.0));
}

void FrameEngine::setHiRes(float value) {
    controls.requestedFrameSize.store(4096 * roundHalfEven(1.0 + value), std::memory_order_relaxed);
    controls.resetPending.store(true, std::memory_order_release);
}
