#include "lv2/Instance.h"

#include <bit>
#include <new>

#include "platform/toolkit_reports.h"

namespace lv2 {

Instance::Instance(float sampleRate)
    : ZindraEditController(zindra),
      rate(sampleRate),
      session(*this, &platform::createChildWindow),
      zindra(*this) {}

std::unique_ptr<Instance> Instance::create(double sampleRate) {
    installToolkitReports();
    std::unique_ptr<Instance> self(new (std::nothrow) Instance(static_cast<float>(sampleRate)));
    if (!self || !self->zindra.ready()) return nullptr;
    for (int32_t i = 0; i < kNumControls; ++i)
        self->seen[i] = std::bit_cast<uint32_t>(self->zindra.parameter(i));
    return self;
}

Instance::~Instance() = default;

void Instance::connect(uint32_t port, float* data) {
    if (port < kNumPorts) ports[port] = data;
}

void Instance::activate() { active = true; }

void Instance::deactivate() {
    active = false;
    zindra.suspend();
}

void Instance::controlShown(int32_t index, float value) {
    if (index < 0 || index >= kNumControls) return;
    if (index != gesture) session.show(index, value);
    if (active) return;
    if (zindra.parameter(index) != value) zindra.setParameter(index, value);
}

void Instance::applyControls() {
    for (int32_t i = 0; i < kNumControls; ++i) {
        const float* port = ports[kFirstControl + i];
        if (!port) continue;
        const float value = *port;
        const auto bits = std::bit_cast<uint32_t>(value);
        if (bits == seen[i]) continue;
        seen[i] = bits;
        // The value may already be the effect's: the editor set it and the
        // host handed it back, or a restored state brought it.
        if (zindra.parameter(i) == value) continue;
        zindra.setParameter(i, value);
    }
}

void Instance::run(uint32_t frames) {
    float** inputs = ports + kInputLeft;
    float** outputs = ports + kOutputLeft;
    // A change may ask the engine for a reset ("Hi-Res"); the effect carries
    // it out at the start of the block and then processes the block.
    applyControls();
    if (float* latency = ports[kLatencyPort])
        *latency = static_cast<float>(core::ZindraEffect::kLatencySamples);
    if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    zindra.process(inputs, outputs, static_cast<int32_t>(frames), true);
}

void Instance::parameterChanged(int32_t) { session.update(); }
void Instance::programChanged() { session.update(); }

void Instance::beginEdit(int32_t index) {
    gesture = index;
    if (ui && ui->touch) ui->touch->touch(ui->touch->handle, kFirstControl + index, true);
}

// The effect takes the value at once; the host hears of it through the
// port, and hands it back to run, which finds it already applied.
void Instance::performEdit(int32_t index, float value) {
    zindra.setParameter(index, value);
    if (ui && ui->write) ui->write(ui->controller, kFirstControl + index, sizeof value, 0, &value);
}

void Instance::endEdit(int32_t index) {
    gesture = -1;
    if (ui && ui->touch) ui->touch->touch(ui->touch->handle, kFirstControl + index, false);
}

}  // namespace lv2
