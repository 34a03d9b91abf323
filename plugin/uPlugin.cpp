#include "plugin/uPlugin.h"

#include "dsp/VCFmath.h"
#include "host/DVstUtils.h"
#include "plugin/APluginEditor.h"
#include "plugin/toolkitReports.h"

AudioEffect* createEffectInstance(audioMasterCallback host) {
    installToolkitReports();
    auto* plugin = new APlugin(host);
    if (!plugin->ready()) {
        delete plugin;
        return nullptr;
    }
    return plugin;
}

APlugin::APlugin(audioMasterCallback host) : AudioEffectX(host, kNumPrograms, kNumParams) {
    // The engine: its vectors for the larger frame size, then its first set-up.
    frameSize = requestedFrameSize.load();
    allocated = prepareEngine();
    if (!allocated) return;
    computeFrameGeometry();
    updateRateDependentValues();
    buildWindow();
    updateBandMask();

    allocateProgramsAndChunks();
    if (!allocated) return;
    setEditor(new APluginEditor(this));
    suspend();

    hasVu(false);
    setNumInputs(2);
    setNumOutputs(2);
    canMono(true);
    canProcessReplacing(true);
    programsAreChunks(true);
    isSynth(false);
    setUniqueID(makeFourCC('Z', 'Q', '7', 'N'));

    loadFactoryPrograms();
    curProgram = 0;
    setProgram(0);
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
