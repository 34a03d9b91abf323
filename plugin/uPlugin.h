// APlugin: the effect. Audio runs through a spectral frame engine that
// compares the left and right spectra bin by bin; twelve parameters steer it,
// ten programs hold their values, and chunks carry both to and from the host.
//
// Threads. The host's audio thread runs process/processReplacing, the engine
// reset and the frame step. Its UI thread runs the dispatcher (programs,
// chunks, names, editor), and hosts may call setParameter from any thread.
// Everything the two sides share is an atomic single value, handed over as
// described at each field; the band masks and the display magnitudes are
// owned by the audio thread and derived from published values.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "dsp/VecLib.h"
#include "host/DAudioEffectX.h"
#include "plugin/APluginProgram.h"
#include "plugin/EngineVectors.h"
#include "plugin/TripleBuffer.h"
#include "plugin/frame_kernels.h"

class APluginEditor;

// The engine's vectors are a part of the effect: their owner is a base, so
// that the frame engine names them as its own fields.
class APlugin : public AudioEffectX, protected EngineVectors {
    // The bridge keeps editorClosed: it opens and closes the window.
    friend class APluginEditor;

public:
    static constexpr int32_t kNumPrograms = 10;
    static constexpr int32_t kNumParams = 12;
    static constexpr int32_t kLatencySamples = 8192;
    static constexpr int32_t kRingSize = 8192;
    static constexpr int32_t kRingMask = 8191;
    using EngineVectors::kMaxBinCount;
    using EngineVectors::kMaxFrameSize;

    // Parameter indices.
    enum Param : int32_t {
        kCenter,
        kWidth,
        kSpread,
        kMix,
        kHumidity,
        kHiRes,
        kBypass,
        kZindracate,
        kStereolize,
        kPassThru,
        kIsolate,
        kSpreadilate
    };

    explicit APlugin(audioMasterCallback host);
    ~APlugin() override;

    // False when the engine's memory could not be had; such an object must
    // be destroyed without being used.
    bool ready() const { return allocated; }

    // [audio thread] No allocation, lock or system call.
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
    // [ui thread] (effMainsChanged) and [audio thread] (a reset): clear all signal state.
    void suspend() override;
    void resume() override;
    // [ui thread] (effGetVu): the VU value, which is then cleared.
    float getVu() override;

    // [any thread] Parameters, the audio thread included: setParameter neither
    // allocates nor locks.
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void getParameterName(int32_t index, char* text) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterLabel(int32_t index, char* label) override;

    // [ui thread] Programs.
    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;

    // [ui thread] Chunks. getChunk points *data at the effect's own buffer,
    // valid until the next chunk request of the same kind, and answers its
    // size (0 and nothing written without a place for the address). setChunk
    // answers 1 whether it accepts the chunk or refuses it; a refusal is
    // reported to the user and changes nothing.
    int32_t getChunk(void** data, bool isPreset) override;
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;

    // [ui thread] Identity and capabilities.
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override;
    bool getInputProperties(int32_t index, VstPinProperties* properties) override;
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    int32_t canDo(char* text) override;

    // Engine set-up. [any thread] updateRateDependentValues and updateBandMask;
    // [audio thread] the others, once construction is over.
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
    bool isResetPending() const { return resetPending.load(std::memory_order_acquire); }
    // [ui thread] (the editor's only): copies the magnitudes of the most recent
    // complete frame, at most capacity values each, and returns how many bins
    // that frame had (N/2 + 1).
    int32_t copyMagnitudes(float* left, float* right, int32_t capacity);

    // [ui thread] The editor bridge behind the host's editor requests.
    APluginEditor* pluginEditor() const;

protected:
    // The engine's quantities written by setParameter (any thread) and read
    // once per frame by the audio thread.
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
    // The frame size the "Hi-Res" parameter asks for. resetPending hands it
    // to the audio thread: stored with release after requestedFrameSize,
    // taken with acquire before the reset reads it.
    std::atomic<int32_t> requestedFrameSize{4096};
    std::atomic<bool> resetPending{false};
    const ComplexF mixOffset{0.0f, 0.0f};

    // Parameters and programs.
    std::atomic<float> params[kNumParams] = {};
    std::unique_ptr<APluginProgram[]> programs;  // kNumPrograms records
    // Editor bridge: 1 while no editor window is open after the last close.
    std::atomic<bool> editorClosed{false};

    // Chunk buffers (364 and 3648 bytes), owned by the effect: getChunk
    // builds in them, setChunk keeps the last accepted chunk of each kind.
    std::unique_ptr<uint8_t[]> presetChunk;
    std::unique_ptr<uint8_t[]> bankChunk;

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
    // [ui thread] Construction: the programs and the chunk buffers.
    void allocateProgramsAndChunks();
    void loadFactoryPrograms();
    // [audio thread] Runs a pending reset before the block.
    void takePendingReset();

    bool allocated = false;
    float vu = 0.0f;
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
