// The editor's controls by tag.
#pragma once

namespace editor {

// Each control's tag: the index of the parameter it sets. The five sliders
// come first, then the seven switches.
enum ControlTag : int {
    kCenterSlider,
    kWidthSlider,
    kSpreadSlider,
    kMixSlider,
    kHumiditySlider,
    kHiResSwitch,
    kBypassSwitch,
    kZindracateSwitch,
    kStereolizeSwitch,
    kPassThruSwitch,
    kIsolateSwitch,
    kSpreadilateSwitch,
};
constexpr int kSliderCount = kHiResSwitch;
constexpr int kSwitchCount = kSpreadilateSwitch + 1 - kHiResSwitch;
// "Center" and "Width" move in Hz, with twice the steps of the others.
constexpr bool isFrequencySlider(int tag) { return tag == kCenterSlider || tag == kWidthSlider; }

}  // namespace editor
