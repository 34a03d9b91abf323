#include "vst2/DAudioEffect.h"

#include <cstring>

#include "platform/fpu.h"
#include "platform/messages.h"
#include "vst2/DVstUtils.h"

namespace {

// Exceptions never cross into the host: every entry point swallows them.
// Only construction can throw (out of memory), and main handles that.

AudioEffect* objectOf(AEffect* e) { return e ? static_cast<AudioEffect*>(e->object) : nullptr; }

intptr_t dispatcherEntry(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt) {
    AudioEffect* effect = objectOf(e);
    if (!effect) return 0;
    platform::FloatEnvironmentGuard fpu;
    // Messages raised on the audio thread are shown by requests that hosts
    // send from their user-interface thread only.
    if (opcode == effEditIdle || opcode == effIdle || opcode == effEditOpen ||
        opcode == effEditClose || opcode == effMainsChanged || opcode == effSetProgram ||
        opcode == effGetChunk || opcode == effSetChunk)
        messages::showPending();
    try {
        if (opcode == effClose) {
            effect->dispatcher(opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }
        return effect->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
        return 0;
    }
}

void processEntry(AEffect* e, float** inputs, float** outputs, int32_t sampleFrames) {
    AudioEffect* effect = objectOf(e);
    if (!effect) return;
    platform::FloatEnvironmentGuard fpu;
    try {
        effect->process(inputs, outputs, sampleFrames);
    } catch (...) {
    }
}

void processReplacingEntry(AEffect* e, float** inputs, float** outputs, int32_t sampleFrames) {
    AudioEffect* effect = objectOf(e);
    if (!effect) return;
    platform::FloatEnvironmentGuard fpu;
    try {
        effect->processReplacing(inputs, outputs, sampleFrames);
    } catch (...) {
    }
}

void setParameterEntry(AEffect* e, int32_t index, float value) {
    AudioEffect* effect = objectOf(e);
    if (!effect) return;
    platform::FloatEnvironmentGuard fpu;
    try {
        effect->setParameter(index, value);
    } catch (...) {
    }
}

float getParameterEntry(AEffect* e, int32_t index) {
    AudioEffect* effect = objectOf(e);
    if (!effect) return 0.0f;
    platform::FloatEnvironmentGuard fpu;
    try {
        return static_cast<float>(effect->getParameter(index));
    } catch (...) {
        return 0.0f;
    }
}

// Floating-point exceptions stay masked for the loading thread from the
// moment the library is loaded: errors yield infinities and NaNs, never traps.
const bool exceptionsMaskedAtLoad = (platform::maskFloatingPointExceptions(), true);

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback host, int32_t programs, int32_t params) {
    std::memset(&cEffect, 0, sizeof cEffect);
    audioMaster = host;
    editor = nullptr;
    numPrograms = programs;
    numParams = params;
    curProgram = 0;

    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatcherEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = 0;
    cEffect.resvd1 = 0;
    cEffect.resvd2 = 0;
    cEffect.initialDelay = 0;
    cEffect.realQualities = 0;
    cEffect.offQualities = 0;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.user = nullptr;
    cEffect.uniqueID = makeFourCC('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;

    sampleRate = 44100.0f;
    blockSize = 1024;
}

AudioEffect::~AudioEffect() {
    delete editor;
    editor = nullptr;
}

void AudioEffect::setSampleRate(float rate) { sampleRate = rate; }
void AudioEffect::setBlockSize(int32_t size) { blockSize = size; }
void AudioEffect::setParameter(int32_t, float) {}
float AudioEffect::getParameter(int32_t) { return 0.0f; }

void AudioEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::processReplacing(float**, float**, int32_t) {}
void AudioEffect::open() {}
void AudioEffect::close() {}
int32_t AudioEffect::getProgram() { return curProgram; }
void AudioEffect::setProgram(int32_t program) { curProgram = program; }
void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char*) {}
void AudioEffect::getParameterLabel(int32_t, char*) {}
void AudioEffect::getParameterDisplay(int32_t, char*) {}
void AudioEffect::getParameterName(int32_t, char*) {}
float AudioEffect::getVu() { return 0.0f; }
int32_t AudioEffect::getChunk(void**, bool) { return 0; }
int32_t AudioEffect::setChunk(void*, int32_t, bool) { return 0; }
void AudioEffect::suspend() {}
void AudioEffect::resume() {}
void AudioEffect::setUniqueID(int32_t id) { cEffect.uniqueID = id; }
void AudioEffect::setNumInputs(int32_t count) { cEffect.numInputs = count; }
void AudioEffect::setNumOutputs(int32_t count) { cEffect.numOutputs = count; }
void AudioEffect::hasVu(bool state) { setFlag(effFlagsHasVu, state); }
void AudioEffect::hasClip(bool state) { setFlag(effFlagsHasClip, state); }
void AudioEffect::canMono(bool state) { setFlag(effFlagsCanMono, state); }
void AudioEffect::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void AudioEffect::programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
void AudioEffect::setRealtimeQualities(int32_t qualities) { cEffect.realQualities = qualities; }
void AudioEffect::setOfflineQualities(int32_t qualities) { cEffect.offQualities = qualities; }
void AudioEffect::setInitialDelay(int32_t samples) { cEffect.initialDelay = samples; }

int32_t AudioEffect::getMasterVersion() {
    const auto answer = static_cast<int32_t>(callHost(audioMasterVersion, 0, 0, nullptr, 0.0f, 1));
    return answer == 0 ? 1 : answer;
}

int32_t AudioEffect::getCurrentUniqueId() {
    return static_cast<int32_t>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(int32_t input) {
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(int32_t output) {
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt,
                               intptr_t fallback) {
    if (!audioMaster) return fallback;
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

void AudioEffect::setFlag(int32_t flag, bool state) {
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}
