// EffectPlugin: a format-free effect (core/) as a VST 2 effect. It fills the
// record hosts read from the effect's identity and table, and forwards every
// operation to the effect, which holds the engine, the parameters, the
// programs and their state. Each effect's class (APlugin, DeepPlugin) adds
// its editor.
//
// Threads. The host's audio thread runs process/processReplacing; its UI
// thread runs the dispatcher (programs, chunks, names, editor), and hosts may
// call setParameter from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/EffectHooks.h"
#include "platform/messages.h"
#include "platform/toolkit_reports.h"
#include "vst2/DAudioEffectX.h"
#include "vst2/DVstUtils.h"

template <typename Plugin, typename Reading>
class EffectEditor;

template <typename Effect>
class EffectPlugin : public AudioEffectX, private core::EffectHooks {
    // The editor bridge keeps editorClosed: it opens and closes the window.
    template <typename, typename>
    friend class EffectEditor;

public:
    static constexpr int32_t kNumPrograms = Effect::kNumPrograms;
    static constexpr int32_t kNumParams = Effect::kNumParams;
    static constexpr int32_t kLatencySamples = Effect::kLatencySamples;

    // False when the effect's memory could not be had; such an object must
    // be destroyed without being used.
    bool ready() const { return effect.ready(); }

    // [audio thread] No allocation, lock or system call.
    void process(float** inputs, float** outputs, int32_t sampleFrames) override {
        effect.process(inputs, outputs, sampleFrames, false);
    }
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override {
        effect.process(inputs, outputs, sampleFrames, true);
    }
    // [ui thread] (effMainsChanged) and [audio thread] (a reset): clear all signal state.
    void suspend() override {
        if (effect.ready()) effect.suspend();
    }
    void resume() override {}
    // [ui thread] (effGetVu): the effect has no VU; always 0.
    float getVu() override { return 0.0f; }

    // [any thread] Parameters, the audio thread included: setParameter neither
    // allocates nor locks. Names, labels and texts come from the table.
    void setParameter(int32_t index, float value) override { effect.setParameter(index, value); }
    float getParameter(int32_t index) override { return effect.parameter(index); }
    void getParameterName(int32_t index, char* text) override {
        if (!text || index < 0) return;
        std::strcpy(text, valid(index) ? effect.parameters()[index].name : "undefined");
    }
    void getParameterDisplay(int32_t index, char* text) override {
        if (!text) return;
        if (valid(index))
            floatToText(text, effect.parameter(index));
        else
            std::strcpy(text, "undefined");
    }
    void getParameterLabel(int32_t index, char* label) override {
        // Every index answers, also those beyond the table: with the first row's label.
        if (label) std::strcpy(label, effect.parameters()[valid(index) ? index : 0].label);
    }

    // [ui thread] Programs. Names go to hosts cut to the interface's
    // program-name buffer; the program itself keeps the whole name.
    void setProgram(int32_t program) override { effect.setProgram(program); }
    void setProgramName(char* name) override { effect.renameProgram(name); }
    void getProgramName(char* name) override {
        if (name) effect.programName(effect.program(), name, kVstMaxProgNameLen - 1);
    }
    bool getProgramNameIndexed(int32_t, int32_t index, char* text) override {
        return effect.programName(index, text, kVstMaxProgNameLen - 1);
    }

    // [ui thread] Chunks. getChunk points *data at the effect's own buffer,
    // valid until the next chunk request of the same kind, and answers its
    // size (0 and nothing written without a place for the address). setChunk
    // answers 1 whether it accepts the chunk or refuses it; a refusal is
    // reported to the user and changes nothing.
    int32_t getChunk(void** data, bool isPreset) override {
        if (!data) return 0;
        size_t size = 0;
        const uint8_t* bytes = effect.saveState(kindOf(isPreset), size);
        if (!bytes) return 0;
        *data = const_cast<uint8_t*>(bytes);
        return static_cast<int32_t>(size);
    }
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override {
        const size_t size = byteSize > 0 ? static_cast<size_t>(byteSize) : 0;
        if (const char* refusal =
                effect.loadState(kindOf(isPreset), static_cast<const uint8_t*>(data), size))
            messages::report(refusal);
        return 1;
    }

    // [ui thread] Identity and capabilities.
    bool getEffectName(char* name) override { return writeText(name, kIdentity.effectName); }
    bool getVendorString(char* text) override { return writeText(text, kIdentity.vendorName); }
    bool getProductString(char* text) override { return writeText(text, kIdentity.productName); }
    int32_t getVendorVersion() override { return kIdentity.vendorVersion; }
    bool getInputProperties(int32_t index, VstPinProperties* properties) override {
        return describePin("Input", index, properties);
    }
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override {
        return describePin("Output", index, properties);
    }
    // The effect claims none of the optional capabilities, whatever is asked.
    int32_t canDo(char*) override { return -1; }

    // The effect itself, for the editor bridge, tools and tests.
    Effect& core() { return effect; }
    const Effect& core() const { return effect; }

protected:
    static constexpr core::EffectIdentity kIdentity = Effect::identity();

    // The effect sets itself up first (engine, programs, program 0), asking
    // this object for the sample rate; the record is then filled as hosts
    // expect. The derived class installs its editor.
    explicit EffectPlugin(audioMasterCallback host)
        : AudioEffectX(host, kNumPrograms, kNumParams), effect(*this) {
        if (!effect.ready()) return;
        hasVu(false);
        setNumInputs(kIdentity.numInputs);
        setNumOutputs(kIdentity.numOutputs);
        canMono(true);
        canProcessReplacing(true);
        programsAreChunks(true);
        isSynth(false);
        setUniqueID(kIdentity.uniqueId);
        setInitialDelay(kLatencySamples);
    }
    ~EffectPlugin() override {
        // The editor and its window go first, while the engine they read still exists.
        AEffEditor* ownEditor = editor;
        setEditor(nullptr);
        delete ownEditor;
    }

    // 1 while no editor window is open after the last close: program changes
    // then leave the editor alone.
    std::atomic<bool> editorClosed{false};

private:
    static bool valid(int32_t index) { return index >= 0 && index < kNumParams; }
    static core::StateKind kindOf(bool isPreset) {
        return isPreset ? core::StateKind::Preset : core::StateKind::Bank;
    }
    static bool writeText(char* destination, const char* text) {
        if (!destination) return false;
        std::strcpy(destination, text);
        return true;
    }
    static bool describePin(const char* kind, int32_t index, VstPinProperties* properties) {
        if (index < 0 || index > 1 || !properties) return false;
        std::snprintf(properties->label, sizeof properties->label, "%s #%d", kind, index + 1);
        properties->flags = kVstPinIsActive | kVstPinIsStereo;
        return true;
    }

    // What the effect asks of its format.
    float hostSampleRate() override { return updateSampleRate(); }
    void parameterChanged(int32_t) override {
        if (editor) editor->update();
    }
    void programChanged() override {
        curProgram.store(effect.program());
        if (!editorClosed.load() && editor) editor->update();
    }

    Effect effect;
};

// A library's factory (createEffectInstance): the effect of class Plugin, or
// null, with nothing kept, when its memory could not be had.
template <typename Plugin>
AudioEffect* createReadyPlugin(audioMasterCallback host) {
    installToolkitReports();
    auto* plugin = new Plugin(host);
    if (!plugin->ready()) {
        delete plugin;
        return nullptr;
    }
    return plugin;
}
