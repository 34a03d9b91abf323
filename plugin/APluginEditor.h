// APluginEditor: the bridge between the host's editor requests and the
// editor window. It lives as long as the effect; the window exists only
// between the host's open and its matching close.
//
// Threads. Everything runs on the host's user-interface thread except
// update, which a host may reach from its automation thread (or even the
// audio thread) through setParameter: it takes no lock and allocates
// nothing, and it never touches a window that close is destroying.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "host/AEffEditor.h"
#include "platform/window.h"
#include "plugin/UseCounter.h"

class APlugin;
namespace editor {
class TPluginEditorWindow;
}

class APluginEditor : public AEffEditor {
public:
    static constexpr const char* kVersionText = "V1.14";

    // Makes the native child window inside the host's window; tests and
    // tools hand in one without a screen.
    using NativeWindowFactory = std::unique_ptr<platform::NativeWindow> (*)(void* parent, int width,
                                                                            int height);

    explicit APluginEditor(APlugin* plugin,
                           NativeWindowFactory makeWindow = &platform::createChildWindow);
    ~APluginEditor() override;

    // [ui thread] (effEditGetRect): 1, with the window's size once one existed.
    int32_t getRect(ERect** rect) override;
    // [ui thread] (effEditOpen): creates the window on the first open, fills
    // it with the current state and starts its timer. 1, or 0 (with a message
    // to the user) when there is no memory for the window.
    int32_t open(void* parentWindow) override;
    // [ui thread] (effEditClose): the close matching the first open destroys the window.
    void close() override;
    // [ui thread] (effEditIdle): hands the newest spectrum and display values to
    // the window and lets it handle what its system has queued.
    void idle() override;
    // [any thread] copies the twelve parameter values into the window.
    void update() override;

    // [ui thread] the window while it exists, for tools that draw it.
    editor::TPluginEditorWindow* editorWindow() const { return window.load(); }

protected:
    APlugin* plugin;
    NativeWindowFactory makeWindow;
    // The rectangle given to the host: all zero until a window existed, then
    // that window's size, kept after it is gone.
    ERect rect{0, 0, 0, 0};
    // open calls not yet matched by a close.
    int32_t openCount = 0;
    // The window (owned) while it exists; read by update on any thread.
    std::atomic<editor::TPluginEditorWindow*> window{nullptr};
    // The host's window given to the last open; null once the window is gone.
    void* parentWindow = nullptr;

private:
    // Applies what the engine last published: last bin, axis maximum, markers.
    void applyDisplayValues(editor::TPluginEditorWindow& w);
    void copyParameters(editor::TPluginEditorWindow& w);
    void destroyWindow();

    // update calls under way: the window is destroyed only when none is left.
    UseCounter windowUses;
};
