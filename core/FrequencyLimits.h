// The engine's frequency range: the band lies inside it, and its span turns
// the "Center" and "Width" values into hertz for the engine and for every
// readout of them. The span does not depend on the sample rate.
#pragma once

constexpr float kLowLimitHz = 0.0f;
constexpr float kHighLimitHz = 20000.0f;
constexpr float kFrequencySpanHz = kHighLimitHz - kLowLimitHz;
