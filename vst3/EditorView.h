// The editor as a VST 3 view: an effect's editor session, shown in the
// host's window (an X11 window id or an HWND). Where the host's frame
// offers a run loop (Linux hosts do: they send no idle calls), a timer of
// that loop drives the window; elsewhere the window's own system timers do.
//
// Threads: the host's UI thread only.
#pragma once

#include <atomic>

#include "vst3/vst3.h"

namespace editor {
class EditorSession;
}

namespace vst3 {

class EditorView final : public IPlugView, public ITimerHandler {
public:
    // How often the run loop lets the window handle its events and timers.
    static constexpr TimerInterval kPumpIntervalMs = 20;

    // A view of the session that holder (the component) keeps, whose window
    // is width x height; the view holds a reference to holder for its life.
    // Null without memory.
    static EditorView* create(FUnknown& holder, editor::EditorSession& shown, int32_t width,
                              int32_t height);

    tresult ZINDRA_VST3_CALL queryInterface(const TUID interfaceId, void** object) override;
    uint32_t ZINDRA_VST3_CALL addRef() override;
    uint32_t ZINDRA_VST3_CALL release() override;

    tresult ZINDRA_VST3_CALL isPlatformTypeSupported(FIDString type) override;
    tresult ZINDRA_VST3_CALL attached(void* parent, FIDString type) override;
    tresult ZINDRA_VST3_CALL removed() override;
    tresult ZINDRA_VST3_CALL onWheel(float distance) override;
    tresult ZINDRA_VST3_CALL onKeyDown(char16 key, int16_t keyCode, int16_t modifiers) override;
    tresult ZINDRA_VST3_CALL onKeyUp(char16 key, int16_t keyCode, int16_t modifiers) override;
    tresult ZINDRA_VST3_CALL getSize(ViewRect* size) override;
    tresult ZINDRA_VST3_CALL onSize(ViewRect* newSize) override;
    tresult ZINDRA_VST3_CALL onFocus(TBool state) override;
    tresult ZINDRA_VST3_CALL setFrame(IPlugFrame* frame) override;
    tresult ZINDRA_VST3_CALL canResize() override;
    tresult ZINDRA_VST3_CALL checkSizeConstraint(ViewRect* rect) override;

    void ZINDRA_VST3_CALL onTimer() override;

private:
    EditorView(FUnknown& holder, editor::EditorSession& shown, int32_t width, int32_t height);
    ~EditorView();
    void stopPumping();

    std::atomic<uint32_t> references{1};
    FUnknown& owner;  // holds a reference for the view's life
    editor::EditorSession& session;
    const int32_t width;  // the window's one size
    const int32_t height;
    IPlugFrame* frame = nullptr;
    IRunLoop* runLoop = nullptr;  // while the view is attached and pumped by it
    bool isAttached = false;
};

}  // namespace vst3
