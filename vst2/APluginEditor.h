// APluginEditor: the host's editor requests (effEditGetRect, effEditOpen,
// effEditClose, effEditIdle) and the effect's update, forwarded to the
// format-free editor session.
//
// Threads. Everything runs on the host's user-interface thread except
// update, which a host may reach from any thread through setParameter.
#pragma once

#include <cstdint>

#include "editor/EditorSession.h"
#include "editor/ZindraEditController.h"
#include "platform/window.h"
#include "vst2/AEffEditor.h"

class APlugin;

class APluginEditor : public AEffEditor {
public:
    static constexpr const char* kVersionText = editor::EditorSession::kVersionText;
    using NativeWindowFactory = editor::EditorSession::NativeWindowFactory;

    explicit APluginEditor(APlugin* plugin,
                           NativeWindowFactory makeWindow = &platform::createChildWindow);
    ~APluginEditor() override;

    // [ui thread] (effEditGetRect): 1, with the window's size once one existed.
    int32_t getRect(ERect** rect) override;
    // [ui thread] (effEditOpen): 1, or 0 (with a message to the user) when
    // there is no memory for the window.
    int32_t open(void* parentWindow) override;
    // [ui thread] (effEditClose): the close matching the first open destroys the window.
    void close() override;
    // [ui thread] (effEditIdle)
    void idle() override;
    // [any thread] copies the parameter values into the window.
    void update() override;

    // [ui thread] the window while it exists, for tools that draw it.
    editor::TPluginEditorWindow* editorWindow() const { return session.editorWindow(); }
    const editor::EditorSession& editorSession() const { return session; }

private:
    // The editor's edits, as VST 2 hosts hear of them: a gesture is
    // audioMasterBeginEdit, the automates (each value is set in the effect,
    // then audioMasterAutomate), audioMasterEndEdit.
    class Controller final : public editor::ZindraEditController {
    public:
        explicit Controller(APlugin& owner);
        void beginEdit(int32_t index) override;
        void performEdit(int32_t index, float value) override;
        void endEdit(int32_t index) override;

        APlugin& plugin;
    };

    // The rectangle given to the host: all zero until a window existed, then
    // that window's size, kept after it is gone.
    ERect rect{0, 0, 0, 0};
    Controller controller;
    editor::EditorSession session;
};
