// EditorSession: the editor window's life inside a host, the same for every
// format. It lives as long as the effect's editor object; the window exists
// only between the host's open and its matching close.
//
// Threads. Everything runs on the host's user-interface thread except
// update, which a host may reach from its automation thread (or even the
// audio thread) through a parameter change: it takes no lock and allocates
// nothing, and it never touches a window that close is destroying.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "editor/EditController.h"
#include "editor/UseCounter.h"
#include "platform/window.h"

namespace editor {

class EffectWindow;
class TPluginEditorWindow;

// Which window a session shows: its size and how it is made.
struct WindowKind {
    int width;
    int height;
    EffectWindow* (*create)(std::unique_ptr<platform::NativeWindow> window);
    const char* caption;  // of the message when it cannot be made
};
// Zindra's window and Zindra Deep's.
extern const WindowKind kZindraWindow;
extern const WindowKind kDeepWindow;

class EditorSession {
public:
    static constexpr const char* kVersionText = "V1.14";

    // Makes the native child window inside the host's window; tests and
    // tools hand in one without a screen.
    using NativeWindowFactory = std::unique_ptr<platform::NativeWindow> (*)(void* parent, int width,
                                                                            int height);

    // Where the host sends no idle calls, the window's own tick also takes
    // the newest spectrum (spectrumOnTick); elsewhere idle does.
    EditorSession(EditController& controller, NativeWindowFactory makeWindow,
                  bool spectrumOnTick = false, const WindowKind& kind = kZindraWindow);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // [ui thread] Creates the window on the first open, fills it with the
    // current state and starts its timer. False (with a message to the user)
    // when there is no memory for the window.
    bool open(void* parentWindow);
    // [ui thread] The close matching the first open destroys the window.
    void close();
    // [ui thread] Hands the newest spectrum and display values to the window
    // and lets it handle what its system has queued.
    void idle();
    // [any thread] Copies the parameter values into the window.
    void update();
    // [ui thread] Shows a value the host holds for a parameter, before the
    // effect has taken it; the window's next tick moves the control.
    void show(int32_t index, float value);

    // [ui thread] The window's size once one existed (0 x 0 before).
    int width() const { return lastWidth; }
    int height() const { return lastHeight; }
    // 1 while no window is open after the last close.
    bool closed() const { return editorClosed.load(); }
    // [ui thread] the window while it exists, for tools that draw it;
    // editorWindow only while it is Zindra's.
    EffectWindow* effectWindow() const { return window.load(); }
    TPluginEditorWindow* editorWindow() const;
    // [ui thread] the host's window given to the last open; null once the window is gone.
    void* parent() const { return parentWindow; }
    int opens() const { return openCount; }

private:
    // Applies what the engine last published: last bin, axis maximum, markers.
    void applyDisplayValues(EffectWindow& w);
    void copySpectrum(EffectWindow& w);
    void copyParameters(EffectWindow& w);
    void destroyWindow();

    EditController& controller;
    NativeWindowFactory makeWindow;
    bool spectrumOnTick;
    const WindowKind& kind;
    int lastWidth = 0;
    int lastHeight = 0;
    // open calls not yet matched by a close.
    int openCount = 0;
    std::atomic<bool> editorClosed{false};
    // The window (owned) while it exists; read by update on any thread.
    std::atomic<EffectWindow*> window{nullptr};
    void* parentWindow = nullptr;
    // update calls under way: the window is destroyed only when none is left.
    UseCounter windowUses;
};

}  // namespace editor
