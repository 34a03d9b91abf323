#include "lv2/Instance.h"

#include <bit>
#include <new>

#include "lv2/BundleEffects.h"
#include "platform/toolkit_reports.h"

namespace lv2 {

template <typename Effect>
Instance<Effect>::Instance(float sampleRate) : rate(sampleRate), edits(&fx), fx(*this) {}

template <typename Effect>
std::unique_ptr<Instance<Effect>> Instance<Effect>::create(double sampleRate) {
    installToolkitReports();
    std::unique_ptr<Instance> self(new (std::nothrow) Instance(static_cast<float>(sampleRate)));
    if (!self || !self->fx.ready()) return nullptr;
    for (int32_t i = 0; i < EffectPorts::kNumControls; ++i)
        self->seen[i] =
            std::bit_cast<uint32_t>(EffectPorts::published(i, self->fx.parameter(i)).value);
    return self;
}

template <typename Effect>
Instance<Effect>::~Instance() = default;

template <typename Effect>
void Instance<Effect>::connect(uint32_t port, float* data) {
    if (port < EffectPorts::kCount) ports[port] = data;
}

template <typename Effect>
void Instance<Effect>::activate() {
    active = true;
}

template <typename Effect>
void Instance<Effect>::deactivate() {
    active = false;
    fx.suspend();
}

template <typename Effect>
void Instance<Effect>::controlShown(int32_t index, float port) {
    if (index < 0 || index >= EffectPorts::kNumControls) return;
    const float value = EffectPorts::effectValue(index, port);
    edits.show(index, value);
    if (active) return;
    if (fx.parameter(index) != value) fx.setParameter(index, value);
}

template <typename Effect>
void Instance<Effect>::applyControls() {
    for (int32_t i = 0; i < EffectPorts::kNumControls; ++i) {
        const float* port = ports[kFirstControl + static_cast<uint32_t>(i)];
        if (!port) continue;
        const auto bits = std::bit_cast<uint32_t>(*port);
        if (bits == seen[i]) continue;
        seen[i] = bits;
        // The value may already be the effect's: the editor set it and the
        // host handed it back, or a restored state brought it.
        const float value = EffectPorts::effectValue(i, *port);
        if (fx.parameter(i) == value) continue;
        fx.setParameter(i, value);
    }
}

template <typename Effect>
void Instance<Effect>::run(uint32_t frames) {
    float** inputs = ports + kInputLeft;
    float** outputs = ports + kOutputLeft;
    // A change may ask the engine for a reset (Zindra's "Hi-Res"); the effect
    // carries it out at the start of the block and then processes the block.
    applyControls();
    if (float* latency = ports[EffectPorts::kLatency])
        *latency = static_cast<float>(Effect::kLatencySamples);
    if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    fx.process(inputs, outputs, static_cast<int32_t>(frames), true);
}

template <typename Effect>
void Instance<Effect>::parameterChanged(int32_t) {
    edits.update();
}

template <typename Effect>
void Instance<Effect>::programChanged() {
    edits.update();
}

template class Instance<core::ZindraEffect>;
template class Instance<deep::DeepEffect>;

}  // namespace lv2
