#include "plugin/uPlugin.h"

#include <cstring>

#include "host/DVstUtils.h"

AudioEffect* createEffectInstance(audioMasterCallback host) {
    return new APlugin(host);
}

APlugin::APlugin(audioMasterCallback host)
    : AudioEffectX(host, kNumPrograms, kNumParams) {
    // The engine's first set-up asks the host for its sample rate.
    updateSampleRate();
    setEditor(new AEffEditor(this));
    suspend();
    hasVu(false);
    setNumInputs(2);
    setNumOutputs(2);
    canMono(true);
    canProcessReplacing(true);
    programsAreChunks(true);
    isSynth(false);
    setUniqueID(makeFourCC('Z', 'Q', '7', 'N'));
    curProgram = 0;
    setProgram(0);
    setInitialDelay(kLatencySamples);
}

APlugin::~APlugin() = default;

// Until the spectral engine is in place, audio passes through unchanged.
// Inputs and outputs may be the same memory.
void APlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    if (!inputs || !outputs || sampleFrames <= 0) return;
    for (int channel = 0; channel < 2; ++channel)
        if (inputs[channel] && outputs[channel])
            std::memmove(outputs[channel], inputs[channel],
                         static_cast<size_t>(sampleFrames) * sizeof(float));
}

void APlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    if (!inputs || !outputs || sampleFrames <= 0) return;
    for (int channel = 0; channel < 2; ++channel) {
        const float* in = inputs[channel];
        float* out = outputs[channel];
        if (!in || !out) continue;
        for (int32_t i = 0; i < sampleFrames; ++i) out[i] += in[i];
    }
}

void APlugin::suspend() {}

void APlugin::resume() {}

float APlugin::getVu() {
    const float value = vu;
    vu = 0.0f;
    return value;
}
