// The editor part of an instance (EditorOf.h):
// the editor session its UI shows over the effect's reading controller, and
// where the editor's edits go. The effect takes an edit at once; the host
// hears of it through the UI's write function, each gesture bracketed by
// the host's touch feature where it offers one.
//
// Threads. update may come from any thread (a parameter change); the rest
// runs on the host's UI thread.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>

#include "editor/EditorSession.h"
#include "lv2/ports.h"
#include "platform/window.h"

namespace lv2 {

// Where the editor's edits go: the UI's write function and, where the host
// offers it, its touch feature.
struct UiLink {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr;
};

// ReadingController: the editor's reading side over Effect, constructed from
// the effect (editor::ZindraEditController for core::ZindraEffect); Window:
// the window the session shows (editor::kZindraWindow).
template <typename ReadingController, typename Effect, const editor::WindowKind& Window>
class EditorPart final : private ReadingController {
public:
    // The effect may still be under construction: it is only used later.
    // LV2 hosts call the UI's idle, which takes the newest spectrum.
    explicit EditorPart(Effect* effect)
        : ReadingController(*effect),
          edited(*effect),
          session(*this, &platform::createChildWindow, /*spectrumOnTick=*/false, Window) {}
    EditorPart(const EditorPart&) = delete;
    EditorPart& operator=(const EditorPart&) = delete;

    editor::EditorSession& editorSession() { return session; }
    // The editor's edits go to link (null: nowhere).
    void attachUi(const UiLink* link) { ui = link; }
    // [any thread] The effect's values changed: the window follows.
    void update() { session.update(); }
    // A value the host shows for a parameter (0..1), unless the user is
    // dragging that very control.
    void show(int32_t index, float value) {
        if (index != gesture) session.show(index, value);
    }

private:
    using EffectPorts = Ports<Effect>;

    void beginEdit(int32_t index) override {
        gesture = index;
        if (ui && ui->touch) ui->touch->touch(ui->touch->handle, portOf(index), true);
    }
    // The effect takes the value at once; the host hears of it through the
    // port, and hands it back to run, which finds it already applied.
    void performEdit(int32_t index, float value) override {
        edited.setParameter(index, value);
        const float port = EffectPorts::portValue(index, value);
        if (ui && ui->write) ui->write(ui->controller, portOf(index), sizeof port, 0, &port);
    }
    void endEdit(int32_t index) override {
        gesture = -1;
        if (ui && ui->touch) ui->touch->touch(ui->touch->handle, portOf(index), false);
    }
    static uint32_t portOf(int32_t index) { return kFirstControl + static_cast<uint32_t>(index); }

    Effect& edited;
    editor::EditorSession session;
    const UiLink* ui = nullptr;
    // The parameter the user is changing in the editor, or -1.
    int32_t gesture = -1;
};

}  // namespace lv2
