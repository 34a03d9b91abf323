// One LV2 plug-in instance of an effect: the effect, its ports, and its
// editor part (EditorOf.h), which the UI reaches through instance access.
//
// Threads. The constructor, activate, deactivate, state and the destructor
// run on the host's instantiation and state threads; run on its audio
// thread; controlShown and the editor part's operations on its UI thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/EffectHooks.h"
#include "lv2/EditorOf.h"
#include "lv2/ports.h"

namespace lv2 {

template <typename Effect>
class Instance final : private core::EffectHooks {
public:
    using Editor = typename EditorOf<Effect>::type;
    using EffectPorts = Ports<Effect>;
    static_assert(DescriptionOf<Effect>::kDescription.uiUri != nullptr, "every effect has a UI");

    // Null when the effect's memory cannot be had.
    static std::unique_ptr<Instance> create(double sampleRate);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    Effect& effect() { return fx; }
    Editor& editor() { return edits; }

    void connect(uint32_t port, float* data);
    // Instantiation thread: switches the effect on; a reset it has pending is
    // carried out by the first block, which is processed too.
    void activate();
    void deactivate();
    // Audio thread: applies the control values that changed, then processes
    // n frames. No allocation, lock or system call.
    void run(uint32_t frames);

    // UI thread: a control value (in the port's terms) the host shows the
    // UI. The editor shows it at once, running or not (unless the user is
    // dragging that control). While the instance is active, run applies the
    // host's values in their order; the same value applied here could land
    // after a newer one and undo it. So only an instance that is not active
    // takes it here.
    void controlShown(int32_t index, float value);

private:
    explicit Instance(float sampleRate);
    void applyControls();

    // What the effect asks of its format.
    float hostSampleRate() override { return rate; }
    void parameterChanged(int32_t index) override;
    void programChanged() override;

    float rate;
    // The editor first: the effect's construction already tells it of its values.
    Editor edits;
    Effect fx;
    float* ports[EffectPorts::kCount] = {};
    // The control values run last saw, as bit patterns (so that a NaN
    // compares equal to itself); at first the effect's own values as the
    // bundle publishes them, the ports' defaults.
    uint32_t seen[EffectPorts::kNumControls] = {};
    // Between activate and deactivate.
    std::atomic<bool> active{false};
};

}  // namespace lv2
