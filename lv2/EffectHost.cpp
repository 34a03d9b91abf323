#include "lv2/EffectHost.h"

#include <bit>
#include <new>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace lv2 {
namespace {

// The rate the effect is told while the entry function runs, before its
// record (and so its user field) exists.
thread_local float rateDuringConstruction = 44100.0f;

// The VST 2 host version this adapter answers with.
constexpr intptr_t kHostVersion = 2400;

}  // namespace

EffectHost::EffectHost(float sampleRate) : rate(sampleRate) {}

std::unique_ptr<EffectHost> EffectHost::create(double sampleRate) {
    std::unique_ptr<EffectHost> self(new (std::nothrow) EffectHost(static_cast<float>(sampleRate)));
    if (!self) return nullptr;
    rateDuringConstruction = self->rate;
    self->effect = VSTPluginMain(hostCallback);
    if (!self->effect) return nullptr;
    self->effect->user = self.get();
    const AEffect& e = *self->effect;
    // The bundle's ports were written for this effect: refuse any other.
    if (e.magic != kEffectMagic || e.numParams != kNumControls || e.numInputs != 2 ||
        e.numOutputs != 2 || !(e.flags & effFlagsCanReplacing))
        return nullptr;
    for (int32_t i = 0; i < kNumControls; ++i)
        self->seen[i] = std::bit_cast<uint32_t>(e.getParameter(self->effect, i));
    self->send(effOpen);
    self->send(effSetSampleRate, 0, 0, nullptr, self->rate);
    return self;
}

EffectHost::~EffectHost() {
    if (effect) send(effClose);
}

intptr_t EffectHost::send(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void EffectHost::connect(uint32_t port, float* data) {
    if (port < kNumPorts) ports[port] = data;
}

void EffectHost::activate() {
    send(effMainsChanged, 0, 1);
    active = true;
}

void EffectHost::deactivate() {
    active = false;
    send(effMainsChanged, 0, 0);
}

void EffectHost::controlShown(int32_t index, float value) {
    if (active || index < 0 || index >= kNumControls) return;
    if (effect->getParameter(effect, index) != value) effect->setParameter(effect, index, value);
}

void EffectHost::applyControls() {
    for (int32_t i = 0; i < kNumControls; ++i) {
        const float* port = ports[kFirstControl + i];
        if (!port) continue;
        const float value = *port;
        const auto bits = std::bit_cast<uint32_t>(value);
        if (bits == seen[i]) continue;
        seen[i] = bits;
        // The value may already be the effect's: the editor set it and the
        // host handed it back, or a restored state brought it.
        if (effect->getParameter(effect, i) == value) continue;
        effect->setParameter(effect, i, value);
    }
}

void EffectHost::run(uint32_t frames) {
    float** inputs = ports + kInputLeft;
    float** outputs = ports + kOutputLeft;
    // A change may ask the engine for a reset ("Hi-Res"); the effect carries
    // it out at the start of the block and then processes the block.
    applyControls();
    if (float* latency = ports[kLatencyPort]) *latency = static_cast<float>(effect->initialDelay);
    if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    effect->processReplacing(effect, inputs, outputs, static_cast<int32_t>(frames));
}

intptr_t EffectHost::hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t, void*,
                                  float opt) {
    auto* self = effect ? static_cast<EffectHost*>(effect->user) : nullptr;
    switch (opcode) {
        case audioMasterVersion: return kHostVersion;
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(self ? self->rate : rateDuringConstruction);
        case audioMasterAutomate:
            if (self)
                if (const ParameterListener* listener = self->parameterListener.load())
                    listener->changed(listener->context, index, opt);
            return 0;
        default: return 0;
    }
}

}  // namespace lv2
