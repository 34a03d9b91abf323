// Zindra Deep in the bundle: its URIs, files and published port symbols. Its
// ports carry values in their units (dB, %, ms, Hz), which hosts show as such.
#pragma once

#include "core/deep/DeepEffect.h"
#include "lv2/PluginDescription.h"

namespace lv2 {

template <>
struct DescriptionOf<deep::DeepEffect> {
    static constexpr PluginDescription kDescription{
        .uri = "urn:corvanti:zindra-deep",
        .uiUri = "urn:corvanti:zindra-deep#editor",
        .bankKey = "urn:corvanti:zindra-deep#bank",
        .programKey = "urn:corvanti:zindra-deep#program",
        .pluginFile = "zindra-deep.ttl",
        .presetsFile = "zindra-deep-presets.ttl",
        .portsInUnits = true,
    };
    static constexpr const char* kPublishedSymbols[] = {
        "depth", "width", "smoothing", "tail", "low_keep", "high_keep", "mix", "isolate"};
    static_assert(symbolsArePublished(deep::DeepEffect::parameters(), kPublishedSymbols),
                  "a port symbol that sessions store has changed");
};

}  // namespace lv2
