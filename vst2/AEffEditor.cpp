#include "vst2/AEffEditor.h"

AEffEditor::AEffEditor(AudioEffect* owner) : effect(owner) {}

int32_t AEffEditor::getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return 0;
}

int32_t AEffEditor::open(void* parentWindow) {
    systemWindow = parentWindow;
    return 0;
}

void AEffEditor::close() {}

void AEffEditor::idle() {
    if (updateFlag != 0) {
        updateFlag = 0;
        update();
    }
}

void AEffEditor::update() {}

void AEffEditor::postUpdate() { updateFlag = 1; }

int32_t AEffEditor::onKeyDown(VstKeyCode&) { return -1; }

int32_t AEffEditor::onKeyUp(VstKeyCode&) { return -1; }

int32_t AEffEditor::setKnobMode(int32_t) { return 0; }

bool AEffEditor::onWheel(float) { return false; }
