// Parameters, programs and chunks as VST 2 hosts reach them: each forwards to
// the effect; names, labels and texts come from its parameter table.
#include <cstring>

#include "platform/messages.h"
#include "vst2/DVstUtils.h"
#include "vst2/uPlugin.h"

namespace {

bool valid(int32_t index) { return index >= 0 && index < APlugin::kNumParams; }

// What the interface grants a host for a program name, terminator included.
constexpr size_t kHostNameBuffer = kVstMaxProgNameLen;

}  // namespace

void APlugin::setParameter(int32_t index, float value) { effect.setParameter(index, value); }

float APlugin::getParameter(int32_t index) { return effect.parameter(index); }

void APlugin::getParameterName(int32_t index, char* text) {
    if (!text || index < 0) return;
    std::strcpy(text, valid(index) ? effect.parameters()[index].name : "undefined");
}

void APlugin::getParameterDisplay(int32_t index, char* text) {
    if (!text) return;
    if (valid(index))
        floatToText(text, effect.parameter(index));
    else
        std::strcpy(text, "undefined");
}

void APlugin::getParameterLabel(int32_t index, char* label) {
    // Every index answers, also those beyond the table: with the label all share.
    if (label) std::strcpy(label, effect.parameters()[valid(index) ? index : 0].label);
}

void APlugin::setProgram(int32_t program) { effect.setProgram(program); }

void APlugin::setProgramName(char* name) { effect.renameProgram(name); }

// Names go to hosts cut to the interface's program-name buffer; the program
// itself keeps the whole name.
void APlugin::getProgramName(char* name) {
    if (name) effect.programName(effect.program(), name, kHostNameBuffer - 1);
}

bool APlugin::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    return effect.programName(index, text, kHostNameBuffer - 1);
}

int32_t APlugin::getChunk(void** data, bool isPreset) {
    if (!data) return 0;
    size_t size = 0;
    const uint8_t* bytes =
        effect.saveState(isPreset ? core::StateKind::Preset : core::StateKind::Bank, size);
    if (!bytes) return 0;
    *data = const_cast<uint8_t*>(bytes);
    return static_cast<int32_t>(size);
}

int32_t APlugin::setChunk(void* data, int32_t byteSize, bool isPreset) {
    const size_t size = byteSize > 0 ? static_cast<size_t>(byteSize) : 0;
    if (const char* refusal =
            effect.loadState(isPreset ? core::StateKind::Preset : core::StateKind::Bank,
                             static_cast<const uint8_t*>(data), size))
        messages::report(refusal);
    return 1;
}
