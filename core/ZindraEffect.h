// ZindraEffect: the whole effect, free of any plug-in format. The frame
// engine, the twelve parameters and what they become in the engine, the ten
// programs and the state that carries them. Formats (VST 2, LV2, ...) hold
// one and translate their calls into these operations.
//
// Threads. The audio thread runs process. Parameters may be set from any
// thread, the audio thread included (no allocation, lock or system call).
// Programs and state belong to the host's UI thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/EffectHooks.h"
#include "core/EffectPrograms.h"
#include "core/FrameEngine.h"
#include "core/ProgramBank.h"
#include "core/ZindraIdentity.h"
#include "core/ZindraParameters.h"

namespace core {

class ZindraEffect : public EffectPrograms<ZindraEffect, ZindraStateFormat>,
                     private SampleRateSource {
public:
    static constexpr int32_t kLatencySamples = FrameEngine::kLatencySamples;
    static constexpr ParameterTable parameters() { return zindra::kParameters; }
    static constexpr EffectIdentity identity() { return zindra::kIdentity; }

    enum class Readiness { Ready, NoEngineMemory, NoProgramMemory };

    // [ui thread] The engine set up and program 0 chosen, its values applied
    // through setParameter (which asks the engine for a reset).
    explicit ZindraEffect(EffectHooks& hooks);
    ZindraEffect(const ZindraEffect&) = delete;
    ZindraEffect& operator=(const ZindraEffect&) = delete;

    // Anything but Ready: the memory could not be had, and the effect must be
    // destroyed without being used.
    Readiness status() const { return readiness; }
    bool ready() const { return readiness == Readiness::Ready; }

    // [audio thread] A block; see FrameEngine::process.
    void process(float** inputs, float** outputs, int32_t sampleFrames, bool replacing) {
        engine.process(inputs, outputs, sampleFrames, replacing);
    }
    // [ui thread] while audio stops: clears the signal state.
    void suspend() { engine.suspend(); }
    // [ui thread] Asks the hooks for the rate again and applies it.
    void refreshSampleRate() { engine.updateRateDependentValues(); }

    // Parameters, programs and state: see EffectPrograms.

    // [any thread] The engine, for its published display values and controls.
    FrameEngine& frameEngine() { return engine; }
    const FrameEngine& frameEngine() const { return engine; }

private:
    friend EffectPrograms;
    float hostSampleRate() override { return hooks.hostSampleRate(); }
    // [any thread] What a parameter's value becomes in the engine.
    void applyToEngine(int32_t index, float value);

    FrameEngine engine;
    Readiness readiness = Readiness::Ready;
};

}  // namespace core
