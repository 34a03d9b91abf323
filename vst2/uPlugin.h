// APlugin: Zindra as a VST 2 effect. It keeps the operations hosts see and
// forwards each to the format-free effect (core/ZindraEffect.h), which holds
// the engine, the parameters, the programs and their state.
//
// Threads. The host's audio thread runs process/processReplacing; its UI
// thread runs the dispatcher (programs, chunks, names, editor), and hosts may
// call setParameter from any thread.
#pragma once

#include <cstdint>

#include "core/ZindraEffect.h"
#include "vst2/DAudioEffectX.h"

class APluginEditor;

class APlugin : public AudioEffectX, private core::EffectHooks {
    // The bridge keeps editorClosed: it opens and closes the window.
    friend class APluginEditor;

public:
    // Parameter indices: APlugin::kCenter ... APlugin::kSpreadilate.
    using Param = zindra::Param;
    using enum zindra::Param;

    static constexpr int32_t kNumPrograms = core::ZindraEffect::kNumPrograms;
    static constexpr int32_t kNumParams = core::ZindraEffect::kNumParams;
    static constexpr int32_t kLatencySamples = core::ZindraEffect::kLatencySamples;

    explicit APlugin(audioMasterCallback host);
    ~APlugin() override;

    // False when the effect's memory could not be had; such an object must
    // be destroyed without being used.
    bool ready() const { return effect.ready(); }

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

    // The effect itself, for the editor bridge, tools and tests.
    core::ZindraEffect& core() { return effect; }
    const core::ZindraEffect& core() const { return effect; }

    // [ui thread] The editor bridge behind the host's editor requests.
    APluginEditor* pluginEditor() const;

protected:
    // 1 while no editor window is open after the last close: program changes
    // then leave the editor alone.
    std::atomic<bool> editorClosed{false};

private:
    // What the effect asks of its format.
    float hostSampleRate() override { return updateSampleRate(); }
    void parameterChanged(int32_t index) override;
    void programChanged() override;

    float vu = 0.0f;
    core::ZindraEffect effect;
};
