// One LV2 plug-in instance: the effect, its ports, and the editor session
// its UI shows. The UI reaches it through instance access.
//
// Threads. The constructor, activate, deactivate, state and the destructor
// run on the host's instantiation and state threads; run on its audio
// thread; the edit controller's operations and controlShown on its UI thread.
#pragma once

#include <lv2/ui/ui.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/ZindraEffect.h"
#include "editor/EditorSession.h"
#include "editor/ZindraEditController.h"
#include "lv2/ports.h"

namespace lv2 {

// Where the editor's edits go: the UI's write function and, where the host
// offers it, its touch feature.
struct UiLink {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr;
};

class Instance final : private core::EffectHooks, private editor::ZindraEditController {
public:
    // Null when the effect's memory cannot be had.
    static std::unique_ptr<Instance> create(double sampleRate);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    core::ZindraEffect& effect() { return zindra; }
    editor::EditorSession& editorSession() { return session; }

    void connect(uint32_t port, float* data);
    // Instantiation thread: switches the effect on; a reset it has pending is
    // carried out by the first block, which is processed too.
    void activate();
    void deactivate();
    // Audio thread: applies the control values that changed, then processes
    // n frames. No allocation, lock or system call.
    void run(uint32_t frames);

    // UI thread: a control value the host shows the UI. The editor shows it at
    // once, running or not (unless the user is dragging that control). While
    // the instance is active, run applies the host's values in their order;
    // the same value applied here could land after a newer one and undo it.
    // So only an instance that is not active takes it here.
    void controlShown(int32_t index, float value);

    // UI thread: the editor's edits go to link (null: nowhere).
    void attachUi(const UiLink* link) { ui = link; }

private:
    explicit Instance(float sampleRate);
    void applyControls();

    // What the effect asks of its format.
    float hostSampleRate() override { return rate; }
    void parameterChanged(int32_t index) override;
    void programChanged() override;

    // What the editor asks of the effect.
    void beginEdit(int32_t index) override;
    void performEdit(int32_t index, float value) override;
    void endEdit(int32_t index) override;

    float rate;
    // The session first: the effect's construction already tells it of its values.
    editor::EditorSession session;
    core::ZindraEffect zindra;
    float* ports[kNumPorts] = {};
    // The control values run last saw, as bit patterns (so that a NaN
    // compares equal to itself); at first the effect's own values, which the
    // bundle gives as the ports' defaults.
    uint32_t seen[kNumControls] = {};
    // Between activate and deactivate.
    std::atomic<bool> active{false};
    const UiLink* ui = nullptr;
    // The parameter the user is changing in the editor, or -1.
    int32_t gesture = -1;
};

}  // namespace lv2
