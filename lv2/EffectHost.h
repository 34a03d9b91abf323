// One effect as an LV2 plug-in instance holds it: created through the VST 2
// entry function with a host callback of its own, and from then on reached
// only through the effect record, as any VST 2 host reaches it.
//
// Threads. The constructor, activate, deactivate, state and the destructor
// run on the host's instantiation and state threads; run on its audio thread;
// the editor's requests and the parameter listener on its UI thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/vst2.h"
#include "lv2/ports.h"

namespace lv2 {

// Where the editor's parameter changes go (the UI's write_function).
struct ParameterListener {
    void (*changed)(void* context, int32_t index, float value);
    void* context;
};

class EffectHost {
public:
    // Null when the effect cannot be made or is not the one the bundle describes.
    static std::unique_ptr<EffectHost> create(double sampleRate);
    ~EffectHost();
    EffectHost(const EffectHost&) = delete;
    EffectHost& operator=(const EffectHost&) = delete;

    AEffect& record() { return *effect; }
    intptr_t send(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                  float opt = 0.0f);

    void connect(uint32_t port, float* data);
    // Instantiation thread: switches the effect on; a reset it has pending is
    // carried out by the first block, which is processed too.
    void activate();
    void deactivate();
    // Audio thread: applies the control values that changed, then processes
    // n frames. No allocation, lock or system call.
    void run(uint32_t frames);

    // UI thread: a control value the host shows the UI. While the instance
    // runs, run applies the host's values in their order and the editor
    // follows the effect; the same value applied here could land after a
    // newer one and undo it. So only an instance that is not running takes it.
    void controlShown(int32_t index, float value);

    // UI thread: the editor's parameter changes go to listener (null: nowhere).
    void listen(const ParameterListener* listener) { parameterListener.store(listener); }

private:
    explicit EffectHost(float sampleRate);
    static intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt);
    void applyControls();

    AEffect* effect = nullptr;
    float rate;
    float* ports[kNumPorts] = {};
    // The control values run last saw, as bit patterns (so that a NaN
    // compares equal to itself); at first the effect's own values, which the
    // bundle gives as the ports' defaults.
    uint32_t seen[kNumControls] = {};
    std::atomic<const ParameterListener*> parameterListener{nullptr};
    // Between activate and deactivate.
    std::atomic<bool> active{false};
};

}  // namespace lv2
