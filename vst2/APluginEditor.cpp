#include "vst2/APluginEditor.h"

#include "vst2/uPlugin.h"

APluginEditor::APluginEditor(APlugin* owner, NativeWindowFactory factory)
    : AEffEditor(owner), controller(*owner), session(controller, factory) {}

int32_t APluginEditor::getRect(ERect** out) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16_t>(session.height());
    rect.right = static_cast<int16_t>(session.width());
    *out = &rect;
    return 1;
}

APluginEditor::~APluginEditor() {
    if (session.editorWindow()) controller.plugin.editorClosed.store(true);
}

int32_t APluginEditor::open(void* parentWindow) {
    if (!session.open(parentWindow)) return 0;
    controller.plugin.editorClosed.store(false);
    return 1;
}

void APluginEditor::close() {
    session.close();
    controller.plugin.editorClosed.store(session.closed());
}
void APluginEditor::idle() { session.idle(); }
void APluginEditor::update() { session.update(); }

APluginEditor::Controller::Controller(APlugin& owner)
    : ZindraEditController(owner.core()), plugin(owner) {}

void APluginEditor::Controller::beginEdit(int32_t index) { plugin.beginEdit(index); }
void APluginEditor::Controller::performEdit(int32_t index, float value) {
    plugin.setParameterAutomated(index, value);
}
void APluginEditor::Controller::endEdit(int32_t index) { plugin.endEdit(index); }
