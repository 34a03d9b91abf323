#include "vst2/APluginEditor.h"

#include "editor/EngineDisplay.h"
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

void APluginEditor::Controller::beginEdit(int32_t index) { plugin.beginEdit(index); }
void APluginEditor::Controller::performEdit(int32_t index, float value) {
    plugin.setParameterAutomated(index, value);
}
void APluginEditor::Controller::endEdit(int32_t index) { plugin.endEdit(index); }
float APluginEditor::Controller::parameterValue(int32_t index) {
    return plugin.getParameter(index);
}
void APluginEditor::Controller::refreshSampleRate() { plugin.core().refreshSampleRate(); }
editor::DisplayValues APluginEditor::Controller::displayValues() {
    return editor::displayValuesOf(plugin.core().frameEngine());
}
int32_t APluginEditor::Controller::copyMagnitudes(float* left, float* right, int32_t capacity) {
    return plugin.core().frameEngine().copyMagnitudes(left, right, capacity);
}
