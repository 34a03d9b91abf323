// DeepEffect: Zindra Deep, free of any plug-in format: its engine, its seven
// parameters and what they become in the engine, its programs and the state
// that carries them. Threads as for core::ZindraEffect.
#pragma once

#include <cstdint>

#include "core/EffectHooks.h"
#include "core/EffectPrograms.h"
#include "core/deep/DeepEngine.h"
#include "core/deep/DeepIdentity.h"
#include "core/deep/DeepPrograms.h"

namespace deep {

class DeepEffect : public core::EffectPrograms<DeepEffect, StateFormat>, private SampleRateSource {
public:
    static constexpr int32_t kLatencySamples = DeepEngine::kLatencySamples;
    static constexpr core::ParameterTable parameters() { return kParameters; }
    static constexpr core::EffectIdentity identity() { return kIdentity; }

    // [ui thread] The engine set up and program 0 chosen.
    explicit DeepEffect(core::EffectHooks& hooks);
    DeepEffect(const DeepEffect&) = delete;
    DeepEffect& operator=(const DeepEffect&) = delete;
    // False: the memory could not be had; destroy the effect unused.
    bool ready() const { return engine.ready() && bank.ready(); }

    // [audio thread] A block; see DeepEngine::process.
    void process(float** inputs, float** outputs, int32_t sampleFrames, bool replacing) {
        engine.process(inputs, outputs, sampleFrames, replacing);
    }
    // [ui thread] while audio stops: clears the signal state. Both this and
    // refreshSampleRate have the rate asked again before the next block.
    void suspend() { engine.suspend(); }
    void refreshSampleRate() { engine.suspend(); }

    // Parameters, programs and state: see EffectPrograms.

    // [any thread] The engine, for its display values.
    DeepEngine& deepEngine() { return engine; }

private:
    friend EffectPrograms;
    float hostSampleRate() override { return hooks.hostSampleRate(); }
    // [any thread] What a parameter's value becomes in the engine.
    void applyToEngine(int32_t index, float value);

    DeepEngine engine;
};

}  // namespace deep
