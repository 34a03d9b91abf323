// An effect's editor inside its VST 3 component (the descriptor's Editor, see
// EffectComponent.h): the editor session over the effect's reading
// controller (editor/), shown through EditorView. The editor's gestures set
// the effect's value at once and reach the host as begin, perform and end
// edits, for it to record and to send back through the parameter queues.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/EditorSession.h"
#include "platform/window.h"
#include "vst3/EditorView.h"
#include "vst3/HostHandler.h"
#include "vst3/vst3.h"

namespace vst3 {

// ReadingController: the editor's reading side over Effect, constructed from
// the effect (editor::ZindraEditController for core::ZindraEffect); Window:
// the window the session shows (editor::kZindraWindow).
template <typename ReadingController, typename Effect, const editor::WindowKind& Window>
class EditorPart final : private ReadingController {
public:
    // The effect may still be under construction: it is only used later.
    // The editor's tick takes the spectrum: VST 3 hosts send no idle calls.
    EditorPart(Effect& owner, HostHandler& handler)
        : ReadingController(owner),
          effect(owner),
          host(handler),
          session(*this, &platform::createChildWindow, true, Window) {}
    EditorPart(const EditorPart&) = delete;
    EditorPart& operator=(const EditorPart&) = delete;

    // [any thread] The effect's values changed: the window follows.
    void update() { session.update(); }

    // [ui thread] The editor's view, which holds a reference to owner (the component).
    IPlugView* createView(FUnknown& owner, FIDString name) {
        if (!name || std::string_view(name) != kViewTypeEditor) return nullptr;
        return EditorView::create(owner, session, Window.width, Window.height);
    }

private:
    void beginEdit(int32_t index) override { host.beginEdit(static_cast<ParamID>(index)); }
    void performEdit(int32_t index, float value) override {
        effect.setParameter(index, value);
        host.performEdit(static_cast<ParamID>(index), value);
    }
    void endEdit(int32_t index) override { host.endEdit(static_cast<ParamID>(index)); }

    Effect& effect;
    HostHandler& host;
    editor::EditorSession session;
};

}  // namespace vst3
