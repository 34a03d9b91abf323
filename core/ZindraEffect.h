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

#include "core/FrameEngine.h"
#include "core/ProgramBank.h"
#include "core/ZindraParameters.h"

namespace core {

// What the effect tells, and asks of, the format that holds it.
class EffectHooks {
public:
    // [any thread] The rate to run at: asked at construction, at every engine
    // reset (on the audio thread) and when refreshSampleRate is called.
    virtual float hostSampleRate() = 0;
    // [any thread] A parameter took a value (also through a program change
    // or a loaded state); the editor follows.
    virtual void parameterChanged(int32_t index) = 0;
    // [ui thread] The current program or its name changed.
    virtual void programChanged() = 0;

protected:
    ~EffectHooks() = default;
};

class ZindraEffect : private SampleRateSource {
public:
    static constexpr int32_t kNumParams = zindra::kNumParams;
    static constexpr int32_t kNumPrograms = ProgramBank::kNumPrograms;
    static constexpr int32_t kLatencySamples = FrameEngine::kLatencySamples;
    static constexpr ParameterTable parameters() { return zindra::kParameters; }

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

    // [any thread] Values beyond 0..1 are held to it (NaN to 0). The value
    // also goes into the current program.
    void setParameter(int32_t index, float value);
    float parameter(int32_t index) const;

    // [ui thread] Programs. setProgram applies the program's values through
    // setParameter; an index out of range changes nothing. Like setParameter
    // it neither allocates nor locks, so a host's program-change automation
    // may also run it on the audio thread.
    int32_t program() const { return current.load(); }
    void setProgram(int32_t index);
    void renameProgram(const char* name);
    // The name of program index, cut to maxCharacters; false out of range.
    bool programName(int32_t index, char* destination, size_t maxCharacters) const;

    // [ui thread] State: see ProgramBank. A loaded state applies the current
    // program again; a refused one changes nothing and answers its message.
    const uint8_t* saveState(StateKind kind, size_t& size);
    const char* loadState(StateKind kind, const uint8_t* data, size_t size);

    // [any thread] The engine, for its published display values and controls.
    FrameEngine& frameEngine() { return engine; }
    const FrameEngine& frameEngine() const { return engine; }
    // [any thread] The programs, for inspection (and for tests, to prepare them).
    const ProgramBank& programBank() const { return bank; }
    ProgramBank& programBank() { return bank; }

private:
    float hostSampleRate() override { return hooks.hostSampleRate(); }
    void applyToEngine(int32_t index, float value);

    EffectHooks& hooks;
    FrameEngine engine;
    ProgramBank bank;
    std::atomic<float> params[kNumParams] = {};
    std::atomic<int32_t> current{0};
    Readiness readiness = Readiness::Ready;
};

}  // namespace core
