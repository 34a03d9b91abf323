// Zindra in the bundle: its URIs, files and published port symbols. Its
// ports carry the 0..1 values, as they always have: sessions store them so.
#pragma once

#include "core/ZindraEffect.h"
#include "lv2/PluginDescription.h"

namespace lv2 {

template <>
struct DescriptionOf<core::ZindraEffect> {
    static constexpr PluginDescription kDescription{
        .uri = "urn:corvanti:zindra",
        .uiUri = "urn:corvanti:zindra#editor",
        .bankKey = "urn:corvanti:zindra#bank",
        .programKey = "urn:corvanti:zindra#program",
        .pluginFile = "zindra.ttl",
        .presetsFile = "presets.ttl",
        .portsInUnits = false,
    };
    static constexpr const char* kPublishedSymbols[] = {
        "center", "width",      "spread",     "mix",       "humidity", "hi_res",
        "bypass", "zindracate", "stereolize", "pass_thru", "isolate",  "spreadilate"};
    static_assert(symbolsArePublished(core::ZindraEffect::parameters(), kPublishedSymbols),
                  "a port symbol that sessions store has changed");
};

}  // namespace lv2
