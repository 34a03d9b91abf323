#include "vst3/EditorView.h"

#include <new>
#include <string_view>

#include "editor/EditorSession.h"
#include "platform/window.h"

namespace vst3 {
namespace {

const char* nativeType() {
    return platform::windowSystem() == platform::WindowSystem::Win32
               ? kPlatformTypeHWND
               : kPlatformTypeX11EmbedWindowID;
}

}  // namespace

EditorView* EditorView::create(FUnknown& holder, editor::EditorSession& shown, int32_t width,
                               int32_t height) {
    return new (std::nothrow) EditorView(holder, shown, width, height);
}

EditorView::EditorView(FUnknown& holder, editor::EditorSession& shown, int32_t windowWidth,
                       int32_t windowHeight)
    : owner(holder), session(shown), width(windowWidth), height(windowHeight) {
    owner.addRef();
}

EditorView::~EditorView() {
    if (isAttached) removed();
    if (frame) frame->release();
    owner.release();
}

tresult EditorView::queryInterface(const TUID interfaceId, void** object) {
    if (!object) return kInvalidArgument;
    *object = nullptr;
    if (sameUid(interfaceId, FUnknown::iid) || sameUid(interfaceId, IPlugView::iid))
        *object = static_cast<IPlugView*>(this);
    else if (sameUid(interfaceId, ITimerHandler::iid))
        *object = static_cast<ITimerHandler*>(this);
    if (!*object) return kNoInterface;
    addRef();
    return kResultOk;
}

uint32_t EditorView::addRef() { return ++references; }

uint32_t EditorView::release() {
    const uint32_t left = --references;
    if (left == 0) delete this;
    return left;
}

tresult EditorView::isPlatformTypeSupported(FIDString type) {
    return type && std::string_view(type) == nativeType() ? kResultTrue : kResultFalse;
}

tresult EditorView::attached(void* parent, FIDString type) {
    if (isAttached || !parent || isPlatformTypeSupported(type) != kResultTrue) return kResultFalse;
    if (!session.open(parent)) return kResultFalse;
    isAttached = true;
    // A run loop pumps the window; without one the system's own timers do.
    void* loop = nullptr;
    if (frame && frame->queryInterface(IRunLoop::iid.bytes, &loop) == kResultOk && loop) {
        runLoop = static_cast<IRunLoop*>(loop);
        if (runLoop->registerTimer(this, kPumpIntervalMs) != kResultOk) stopPumping();
    }
    return kResultOk;
}

void EditorView::stopPumping() {
    if (!runLoop) return;
    runLoop->unregisterTimer(this);
    runLoop->release();
    runLoop = nullptr;
}

tresult EditorView::removed() {
    if (!isAttached) return kResultFalse;
    stopPumping();
    session.close();
    isAttached = false;
    return kResultOk;
}

void EditorView::onTimer() {
    if (isAttached) session.idle();
}

tresult EditorView::onWheel(float) { return kResultFalse; }
tresult EditorView::onKeyDown(char16, int16_t, int16_t) { return kResultFalse; }
tresult EditorView::onKeyUp(char16, int16_t, int16_t) { return kResultFalse; }

tresult EditorView::getSize(ViewRect* size) {
    if (!size) return kInvalidArgument;
    *size = ViewRect{0, 0, width, height};
    return kResultOk;
}

// The editor has one size: whatever the host offers, it stays.
tresult EditorView::onSize(ViewRect* newSize) { return newSize ? kResultOk : kInvalidArgument; }

tresult EditorView::onFocus(TBool) { return kResultOk; }

tresult EditorView::setFrame(IPlugFrame* newFrame) {
    if (newFrame) newFrame->addRef();
    if (frame) frame->release();
    frame = newFrame;
    return kResultOk;
}

tresult EditorView::canResize() { return kResultFalse; }

tresult EditorView::checkSizeConstraint(ViewRect* rect) {
    if (!rect) return kInvalidArgument;
    *rect = ViewRect{rect->left, rect->top, rect->left + width, rect->top + height};
    return kResultOk;
}

}  // namespace vst3
