#include "vst2/uPlugin.h"

#include "core/ZindraIdentity.h"
#include "platform/messages.h"
#include "platform/toolkit_reports.h"
#include "vst2/APluginEditor.h"
#include "vst2/DVstUtils.h"

AudioEffect* createEffectInstance(audioMasterCallback host) {
    installToolkitReports();
    auto* plugin = new APlugin(host);
    if (!plugin->ready()) {
        delete plugin;
        return nullptr;
    }
    return plugin;
}

// The effect sets itself up first (engine, programs, program 0), asking this
// object for the sample rate; the record is then filled as hosts expect.
APlugin::APlugin(audioMasterCallback host)
    : AudioEffectX(host, kNumPrograms, kNumParams), effect(*this) {
    if (effect.status() == core::ZindraEffect::Readiness::NoProgramMemory)
        messages::report("Not enough memory.", "Zindra");
    if (!effect.ready()) return;
    setEditor(new APluginEditor(this));

    hasVu(false);
    setNumInputs(zindra::kNumInputs);
    setNumOutputs(zindra::kNumOutputs);
    canMono(true);
    canProcessReplacing(true);
    programsAreChunks(true);
    isSynth(false);
    setUniqueID(zindra::kUniqueId);
    setInitialDelay(kLatencySamples);
}

APlugin::~APlugin() {
    // The editor and its window go first, while the engine they read still exists.
    AEffEditor* ownEditor = editor;
    setEditor(nullptr);
    delete ownEditor;
}

APluginEditor* APlugin::pluginEditor() const { return dynamic_cast<APluginEditor*>(getEditor()); }

float APlugin::getVu() {
    const float value = vu;
    vu = 0.0f;
    return value;
}

void APlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    effect.process(inputs, outputs, sampleFrames, false);
}

void APlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    effect.process(inputs, outputs, sampleFrames, true);
}

void APlugin::suspend() {
    if (effect.ready()) effect.suspend();
}

void APlugin::resume() {}

void APlugin::parameterChanged(int32_t) {
    if (editor) editor->update();
}

void APlugin::programChanged() {
    curProgram.store(effect.program());
    if (!editorClosed.load() && editor) editor->update();
}
