// Zindra's twelve parameters: their indices and their table. Every list of
// them elsewhere (the VST 2 texts, the editor's controls, the LV2 ports, the
// command's listing, the tests) is derived from here.
#pragma once

#include <cstdint>

#include "core/FrequencyLimits.h"
#include "core/ParameterTable.h"

namespace zindra {

enum Param : int32_t {
    kCenter,
    kWidth,
    kSpread,
    kMix,
    kHumidity,
    kHiRes,
    kBypass,
    kZindracate,
    kStereolize,
    kPassThru,
    kIsolate,
    kSpreadilate,
};
inline constexpr int32_t kNumParams = kSpreadilate + 1;

inline constexpr int32_t kNumSliders = kHiRes;  // the continuous ones come first

using core::Readout;
inline constexpr core::ParameterInfo kParameters[kNumParams] = {
    {"Center", "%", "center", Readout::Hertz, kFrequencySpanHz, 0.215f},
    {"Width", "%", "width", Readout::Hertz, kFrequencySpanHz, 0.4f},
    {"Spread", "%", "spread", Readout::Percent, 0.0f, 0.104f},
    {"Zindra Mix", "%", "mix", Readout::Percent, 0.0f, 1.0f},
    {"Humidity", "%", "humidity", Readout::Percent, 0.0f, 1.0f},
    {"Hi-Res", "%", "hi_res", Readout::Switch, 0.0f, 0.0f},
    {"Bypass", "%", "bypass", Readout::Switch, 0.0f, 0.0f},
    {"Zindra-cate!", "%", "zindracate", Readout::Switch, 0.0f, 0.0f},
    {"Stereolize!", "%", "stereolize", Readout::Switch, 0.0f, 1.0f},
    {"Pass Thru", "%", "pass_thru", Readout::Switch, 0.0f, 0.0f},
    {"Isolate", "%", "isolate", Readout::Switch, 0.0f, 0.0f},
    {"Spreadilate!", "%", "spreadilate", Readout::Switch, 0.0f, 0.0f},
};
static_assert(core::wellFormed(kParameters));

// The sliders come first, then the switches: the editor's layout relies on it.
constexpr bool slidersFirst() {
    for (int32_t i = 0; i < kNumParams; ++i)
        if (kParameters[i].isSwitch() != (i >= kNumSliders)) return false;
    return true;
}
static_assert(slidersFirst());

}  // namespace zindra
