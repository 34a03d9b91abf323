// EffectEditor: the host's editor requests (effEditGetRect, effEditOpen,
// effEditClose, effEditIdle) and the effect's update, forwarded to the
// format-free editor session that shows the effect's window. Plugin is the
// effect's VST 2 class (an EffectPlugin), Reading the reading side of its
// editor's controller (editor::ZindraEditController, DeepEditController).
//
// Threads. Everything runs on the host's user-interface thread except
// update, which a host may reach from any thread through setParameter.
#pragma once

#include <cstdint>

#include "editor/EditorSession.h"
#include "platform/window.h"
#include "vst2/AEffEditor.h"

template <typename Plugin, typename Reading>
class EffectEditor : public AEffEditor {
public:
    static constexpr const char* kVersionText = editor::EditorSession::kVersionText;
    using NativeWindowFactory = editor::EditorSession::NativeWindowFactory;

    EffectEditor(Plugin* plugin, const editor::WindowKind& kind,
                 NativeWindowFactory makeWindow = &platform::createChildWindow)
        : AEffEditor(plugin), controller(*plugin), session(controller, makeWindow, false, kind) {}
    ~EffectEditor() override {
        if (session.effectWindow()) controller.plugin.editorClosed.store(true);
    }

    // [ui thread] (effEditGetRect): 1, with the window's size once one existed.
    int32_t getRect(ERect** out) override {
        rect.top = 0;
        rect.left = 0;
        rect.bottom = static_cast<int16_t>(session.height());
        rect.right = static_cast<int16_t>(session.width());
        *out = &rect;
        return 1;
    }
    // [ui thread] (effEditOpen): 1, or 0 (with a message to the user) when
    // there is no memory for the window.
    int32_t open(void* parentWindow) override {
        if (!session.open(parentWindow)) return 0;
        controller.plugin.editorClosed.store(false);
        return 1;
    }
    // [ui thread] (effEditClose): the close matching the first open destroys the window.
    void close() override {
        session.close();
        controller.plugin.editorClosed.store(session.closed());
    }
    // [ui thread] (effEditIdle)
    void idle() override { session.idle(); }
    // [any thread] copies the parameter values into the window.
    void update() override { session.update(); }

    const editor::EditorSession& editorSession() const { return session; }

private:
    // The editor's edits, as VST 2 hosts hear of them: a gesture is
    // audioMasterBeginEdit, the automates (each value is set in the effect,
    // then audioMasterAutomate), audioMasterEndEdit.
    class Controller final : public Reading {
    public:
        explicit Controller(Plugin& owner) : Reading(owner.core()), plugin(owner) {}
        void beginEdit(int32_t index) override { plugin.beginEdit(index); }
        void performEdit(int32_t index, float value) override {
            plugin.setParameterAutomated(index, value);
        }
        void endEdit(int32_t index) override { plugin.endEdit(index); }

        Plugin& plugin;
    };

    // The rectangle given to the host: all zero until a window existed, then
    // that window's size, kept after it is gone.
    ERect rect{0, 0, 0, 0};
    Controller controller;
    editor::EditorSession session;
};
