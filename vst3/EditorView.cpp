#include "vst3/EditorView.h"

#include <new>
#include <string_view>

#include "editor/uEditor.h"
#include "platform/window.h"
#include "vst3/ZindraComponent.h"

namespace vst3 {
namespace {

static_assert(EditorView::kWidth == editor::TPluginEditorWindow::kClientWidth &&
              EditorView::kHeight == editor::TPluginEditorWindow::kClientHeight);

const char* nativeType() {
    return platform::windowSystem() == platform::WindowSystem::Win32
               ? kPlatformTypeHWND
               : kPlatformTypeX11EmbedWindowID;
}

}  // namespace

EditorView* EditorView::create(ZindraComponent& component) {
    return new (std::nothrow) EditorView(component);
}

EditorView::EditorView(ZindraComponent& owner) : component(owner) { component.addRef(); }

EditorView::~EditorView() {
    if (isAttached) removed();
    if (frame) frame->release();
    component.release();
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
    if (!component.editorSession().open(parent)) return kResultFalse;
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
    component.editorSession().close();
    isAttached = false;
    return kResultOk;
}

void EditorView::onTimer() {
    if (isAttached) component.editorSession().idle();
}

tresult EditorView::onWheel(float) { return kResultFalse; }
tresult EditorView::onKeyDown(char16, int16_t, int16_t) { return kResultFalse; }
tresult EditorView::onKeyUp(char16, int16_t, int16_t) { return kResultFalse; }

tresult EditorView::getSize(ViewRect* size) {
    if (!size) return kInvalidArgument;
    *size = ViewRect{0, 0, kWidth, kHeight};
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
    *rect = ViewRect{rect->left, rect->top, rect->left + kWidth, rect->top + kHeight};
    return kResultOk;
}

}  // namespace vst3
