// FrameEngine: the audio path. A spectral frame engine that compares the left
// and right spectra bin by bin: an input ring, frames of 4096 or 8192 samples
// at a quarter-frame hop, the stereo transform with its split and merge, the
// separation, overlap-add and the dry path, 8192 samples late.
//
// Threads. The audio thread runs process, the reset and the frame step. The
// controls (the set* operations) may come from any thread: each is an atomic
// single value, read once per frame; the band masks and the display
// magnitudes are owned by the audio thread and derived from published values.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/EngineVectors.h"
#include "core/SampleRateSource.h"
#include "core/TripleBuffer.h"
#include "core/frame_kernels.h"
#include "dsp/VecLib.h"

class FrameEngine : protected EngineVectors {
public:
    static constexpr int32_t kLatencySamples = 8192;
    static constexpr int32_t kRingSize = 8192;
    static constexpr int32_t kRingMask = 8191;
    using EngineVectors::kMaxBinCount;
    using EngineVectors::kMaxFrameSize;

    // The controls as the engine keeps them: what the parameters become.
    struct Controls {
        std::atomic<float> centerHz{0.5f};
        std::atomic<float> widthHz{0.5f};
        std::atomic<float> spreadAngle{1.0f};
        std::atomic<float> mixFactorRe{1.0f};  // mixFactor = (mixFactorRe, 0)
        std::atomic<float> humidity{1.0f};
        std::atomic<bool> bypassOn{false};
        std::atomic<bool> zindracateOn{false};
        std::atomic<bool> stereolizeOn{false};
        std::atomic<bool> passThruOn{false};
        std::atomic<bool> isolateOn{false};
        std::atomic<bool> spreadilateOn{false};
        // The frame size "Hi-Res" asks for. resetPending hands it to the audio
        // thread: stored with release after requestedFrameSize, taken with
        // acquire before the reset reads it.
        std::atomic<int32_t> requestedFrameSize{4096};
        std::atomic<bool> resetPending{false};
    };

    // [ui thread] Lays out the vectors, prepares the transforms and runs the
    // first set-up; ready() tells whether the memory could be had.
    explicit FrameEngine(SampleRateSource& rate);
    FrameEngine(const FrameEngine&) = delete;
    FrameEngine& operator=(const FrameEngine&) = delete;

    // False when the engine's memory could not be had; such an engine must
    // be destroyed without being used.
    bool ready() const { return allocated; }

    // [audio thread] Runs a pending reset, then the block: the output is
    // replaced, or (replacing false) added to what the buffers hold. Either
    // channel array or channel may be missing: nothing is then processed.
    // No allocation, lock or system call.
    void process(float** inputs, float** outputs, int32_t sampleFrames, bool replacing);
    // [ui thread] while audio stops, or [audio thread] (a reset): clears all signal state.
    void suspend();

    // [any thread] The controls, from parameter values in 0..1.
    void setCenter(float value);
    void setWidth(float value);
    void setSpread(float value);
    void setMix(float value) { controls.mixFactorRe.store(value); }
    void setHumidity(float value) { controls.humidity.store(value); }
    // Applied by the audio thread at its next call; every setting asks for it.
    void setHiRes(float value);
    void setBypass(bool on) { controls.bypassOn.store(on); }
    void setZindracate(bool on) { controls.zindracateOn.store(on); }
    void setStereolize(bool on) { controls.stereolizeOn.store(on); }
    void setPassThru(bool on) { controls.passThruOn.store(on); }
    void setIsolate(bool on) { controls.isolateOn.store(on); }
    void setSpreadilate(bool on) { controls.spreadilateOn.store(on); }
    // [any thread] The controls as they stand, for those that inspect them.
    const Controls& currentControls() const { return controls; }

    // Set-up. [any thread] updateRateDependentValues (asks the rate again)
    // and updateBandMask; [audio thread] the others, once construction is over.
    void computeFrameGeometry();
    void updateRateDependentValues();
    void buildWindow();
    void updateBandMask();
    void resetEngine();

    // [any thread] Values published for the editor.
    int32_t currentFrameSize() const { return publishedFrameSize.load(std::memory_order_relaxed); }
    int32_t getBandLimitBin() const { return bandLimitBin.load(std::memory_order_relaxed); }
    int32_t getBandLowBin() const { return bandLowBin.load(std::memory_order_relaxed); }
    int32_t getBandHighBin() const { return bandHighBin.load(std::memory_order_relaxed); }
    float getLatencyMs() const { return latencyMs.load(std::memory_order_relaxed); }
    float getCenterScaleHz() const { return centerScaleHz.load(std::memory_order_relaxed); }
    float getWidthScaleHz() const { return widthScaleHz.load(std::memory_order_relaxed); }
    bool isResetPending() const { return controls.resetPending.load(std::memory_order_acquire); }
    // [ui thread] (the editor's only): copies the magnitudes of the most recent
    // complete frame, at most capacity values each, and returns how many bins
    // that frame had (N/2 + 1).
    int32_t copyMagnitudes(float* left, float* right, int32_t capacity);

private:
    struct BandEdges {
        float lowHz, highHz;
        int32_t lowBin, highBin;
    };
    BandEdges computeBandEdges(int32_t halfBins, float nyquist) const;
    void rebuildBandMasks();
    void processBlock(float** inputs, float** outputs, bool replacing, int32_t sampleFrames);
    void frameStep();
    void separateSpectra();
    void unscaleMagnitudes(float factor);
    void handOverMagnitudes();
    // [ui thread] Construction: the transforms' tables and the first display slot; false
    // when the engine's memory could not be had.
    bool prepareEngine();
    // [audio thread] Runs a pending reset before the block.
    void takePendingReset();

    SampleRateSource& rateSource;
    Controls controls;
    const ComplexF mixOffset{0.0f, 0.0f};

    bool allocated = false;
    // The frame step's loops, for this processor.
    const FrameKernels* kernels = &frameKernels();

    // Frame geometry: the audio thread's own after construction.
    int32_t frameSize = 4096;
    int32_t halfSize = 2048;
    int32_t binCount = 2049;
    int32_t hopSize = 1024;
    int32_t hopStart = 3072;
    int32_t ringLag = 4096;
    int32_t ringWrite = 0;
    int32_t ringRead = 4096;
    int32_t framePos = 0;
    int32_t frameStart = 0;    // where frame position 0 lives in inputFrame
    int32_t overlapStart = 0;  // where accumulator position 0 lives in overlapBuffer
    // The largest absolute part (as a bit pattern) of each of the frame's
    // hops, and of the hop entering now: bounds the frame before its
    // transform (frameScale).
    static constexpr int kHopsPerFrame = 4;
    uint32_t hopLargest[kHopsPerFrame] = {};
    uint32_t enteringLargest = 0;
    int hopSlot = 0;
    // The centre-angle range of the last frame that used one (audio thread).
    AngleRange angleRange = makeAngleRange(-1.0f, -1.0f, false);  // no Spread gives lo -1
    float overlapGain = 0.0f;
    float wetGain = 0.0f;
    float dryGain = 0.0f;
    // What other threads may read of the geometry.
    std::atomic<int32_t> publishedFrameSize{4096};
    std::atomic<int32_t> publishedHalfSize{2048};

    // Sample-rate values.
    std::atomic<float> latencyMs{0.0f};
    std::atomic<float> nyquistHz{22050.0f};
    std::atomic<float> lowLimitHz{0.0f};
    std::atomic<float> highLimitHz{20000.0f};
    std::atomic<float> centerScaleHz{20000.0f};
    std::atomic<float> widthScaleHz{20000.0f};
    std::atomic<int32_t> bandLimitBin{0};

    // The band as last computed (for the display), and the request to the
    // audio thread to rebuild its masks from the current controls.
    std::atomic<int32_t> bandLowBin{0};
    std::atomic<int32_t> bandHighBin{0};
    std::atomic<bool> bandMasksStale{true};
    // The band mask, which is 1 on one run of bins and 0 elsewhere, held as
    // that run, [bandFirst, bandEnd); audio thread.
    int32_t bandFirst = 0;
    int32_t bandEnd = 0;

    // The display slot being written this frame (one of magnitudeSlots).
    float* magnitudeL = nullptr;
    float* magnitudeR = nullptr;
    TripleBuffer magnitudeExchange;
};
