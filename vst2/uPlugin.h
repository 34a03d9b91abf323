// APlugin: Zindra as a VST 2 effect: the format-free effect
// (core/ZindraEffect.h) under the operations hosts see (EffectPlugin.h),
// with Zindra's editor.
#pragma once

#include <cstdint>

#include "core/ZindraEffect.h"
#include "vst2/EffectPlugin.h"

class APluginEditor;

class APlugin : public EffectPlugin<core::ZindraEffect> {
public:
    // Parameter indices: APlugin::kCenter ... APlugin::kSpreadilate.
    using Param = zindra::Param;
    using enum zindra::Param;

    explicit APlugin(audioMasterCallback host);

    // [ui thread] The editor bridge behind the host's editor requests.
    APluginEditor* pluginEditor() const;
};
