// What an LV2 host sees of Zindra: the URIs, and the ports in index order
// (stereo audio, one control input per parameter in parameter order, the
// latency report). Shared by the plug-in, its UI and the bundle's generator.
#pragma once

#include <cstdint>

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

// One control input per parameter; the names, ranges and defaults come from
// the effect, the symbols and the switch property from here.
struct ControlPort {
    const char* symbol;
    bool toggled;
};
inline constexpr int kNumControls = 12;
inline constexpr ControlPort kControls[kNumControls] = {
    {"center", false},    {"width", false},    {"spread", false}, {"mix", false},
    {"humidity", false},  {"hi_res", true},    {"bypass", true},  {"zindracate", true},
    {"stereolize", true}, {"pass_thru", true}, {"isolate", true}, {"spreadilate", true}};

inline constexpr uint32_t kLatencyPort = kFirstControl + kNumControls;
inline constexpr uint32_t kNumPorts = kLatencyPort + 1;

constexpr bool isControlInput(uint32_t port) {
    return port >= kFirstControl && port < kFirstControl + kNumControls;
}

}  // namespace lv2
