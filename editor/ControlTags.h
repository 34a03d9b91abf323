// The editor's controls by tag.
#pragma once

#include "core/ZindraParameters.h"

namespace editor {

// Each control's tag: the index of the parameter it sets. The five sliders
// come first, then the seven switches.
enum ControlTag : int {
    kCenterSlider = zindra::kCenter,
    kWidthSlider = zindra::kWidth,
    kSpreadSlider = zindra::kSpread,
    kMixSlider = zindra::kMix,
    kHumiditySlider = zindra::kHumidity,
    kHiResSwitch = zindra::kHiRes,
    kBypassSwitch = zindra::kBypass,
    kZindracateSwitch = zindra::kZindracate,
    kStereolizeSwitch = zindra::kStereolize,
    kPassThruSwitch = zindra::kPassThru,
    kIsolateSwitch = zindra::kIsolate,
    kSpreadilateSwitch = zindra::kSpreadilate,
};
constexpr int kSliderCount = kHiResSwitch;
constexpr int kSwitchCount = kSpreadilateSwitch + 1 - kHiResSwitch;
static_assert(kSliderCount == zindra::kNumSliders &&
                  kSliderCount + kSwitchCount == zindra::kNumParams,
              "one control per parameter, the sliders first");
// The sliders that move in Hz, with twice the steps of the others.
constexpr bool isFrequencySlider(int tag) {
    return tag >= 0 && tag < kSliderCount &&
           zindra::kParameters[tag].readout == core::Readout::Hertz;
}

}  // namespace editor
