// DeepPlugin: Zindra Deep as a VST 2 effect: the format-free effect
// (core/deep/DeepEffect.h) under the operations hosts see (EffectPlugin.h).
#pragma once

#include "core/deep/DeepEffect.h"
#include "vst2/EffectPlugin.h"

class DeepPlugin : public EffectPlugin<deep::DeepEffect> {
public:
    explicit DeepPlugin(audioMasterCallback host);

    // [ui thread] The value in the units of its label, as the editor reads
    // it ("40" beside "dB"; "on" or "off" for a switch).
    void getParameterDisplay(int32_t index, char* text) override;
};
