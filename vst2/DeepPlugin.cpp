#include "vst2/DeepPlugin.h"

#include <cstdio>
#include <string>

#include "platform/messages.h"
#include "vst2/DeepPluginEditor.h"

DeepPlugin::DeepPlugin(audioMasterCallback host) : EffectPlugin(host) {
    if (!ready()) {
        messages::report("Not enough memory.", deep::kEffectName);
        return;
    }
    setEditor(new DeepPluginEditor(this));
}

void DeepPlugin::getParameterDisplay(int32_t index, char* text) {
    if (!text) return;
    if (index < 0 || index >= kNumParams) {
        EffectPlugin::getParameterDisplay(index, text);
        return;
    }
    // Hosts grant eight characters and the terminator.
    const std::string number =
        core::readoutNumber(core().parameters()[index], core().parameter(index));
    std::snprintf(text, kVstMaxParamStrLen + 1, "%s", number.c_str());
}
