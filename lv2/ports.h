// What an LV2 host sees of Zindra: the URIs, and the ports in index order
// (stereo audio, one control input per parameter in parameter order, the
// latency report). Shared by the plug-in, its UI and the bundle's generator.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#include "core/ZindraParameters.h"

namespace lv2 {

inline constexpr const char* kPluginUri = "urn:corvanti:zindra";
inline constexpr const char* kUiUri = "urn:corvanti:zindra#editor";
// Keys of the saved state: the bank chunk and the current program.
inline constexpr const char* kBankKey = "urn:corvanti:zindra#bank";
inline constexpr const char* kProgramKey = "urn:corvanti:zindra#program";

enum Port : uint32_t {
    kInputLeft,
    kInputRight,
    kOutputLeft,
    kOutputRight,
    kFirstControl,
};

// One control input per parameter, in the order of the effect's table, from
// which the symbols, names, defaults and switch properties come.
inline constexpr int kNumControls = zindra::kNumParams;

// The symbols saved sessions and presets name the ports by: a parameter
// may be added, never renamed.
inline constexpr const char* kPublishedSymbols[] = {
    "center", "width",      "spread",     "mix",       "humidity", "hi_res",
    "bypass", "zindracate", "stereolize", "pass_thru", "isolate",  "spreadilate"};
constexpr bool symbolsArePublished() {
    for (size_t i = 0; i < std::size(kPublishedSymbols); ++i)
        if (std::string_view(zindra::kParameters[i].symbol) != kPublishedSymbols[i]) return false;
    return std::size(kPublishedSymbols) <= static_cast<size_t>(kNumControls);
}
static_assert(symbolsArePublished(), "a port symbol that sessions store has changed");

inline constexpr uint32_t kLatencyPort = kFirstControl + kNumControls;
inline constexpr uint32_t kNumPorts = kLatencyPort + 1;

constexpr bool isControlInput(uint32_t port) {
    return port >= kFirstControl && port < kFirstControl + kNumControls;
}

}  // namespace lv2
