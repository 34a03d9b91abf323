// Zindra Deep's parameters: their indices and their table.
#pragma once

#include <cstdint>

#include "core/ParameterTable.h"

namespace deep {

enum Param : int32_t {
    kDepth,
    kWidth,
    kSmoothing,
    kTail,
    kLowKeep,
    kHighKeep,
    kMix,
    kIsolate,
};
inline constexpr int32_t kNumParams = kIsolate + 1;
inline constexpr int32_t kNumSliders = kIsolate;  // the continuous ones come first

using core::Readout;
// Depth: how far down what counts as centre goes (Isolate: everything else);
// 60 dB is silence. Width: the pan position, left or right, out to which a
// source still counts as centre. Smoothing: the time over which the effect
// learns how the side of each bin is made. Tail: how long the echo of what
// was taken as centre (its reverb) is taken with it; 0 is none. Low and High
// Keep: below and above them the centre is left alone (the bass and the
// kick; the air). Mix: how much of the effect is heard. Isolate: keep the
// centre instead of removing it.
inline constexpr core::ParameterInfo kParameters[kNumParams] = {
    {"Depth", "dB", "depth", Readout::Decibels, 60.0f, 0.6666667f},
    {"Width", "%", "width", Readout::Percent, 0.0f, 0.15f},
    {"Smoothing", "ms", "smoothing", Readout::Milliseconds, 500.0f, 0.12f},
    {"Tail", "ms", "tail", Readout::Milliseconds, 3000.0f, 0.5f},
    {"Low Keep", "Hz", "low_keep", Readout::Hertz, 500.0f, 0.24f},
    {"High Keep", "Hz", "high_keep", Readout::Hertz, 20000.0f, 1.0f},
    {"Mix", "%", "mix", Readout::Percent, 0.0f, 1.0f},
    {"Isolate", "", "isolate", Readout::Switch, 0.0f, 0.0f},
};
static_assert(core::wellFormed(kParameters));

// A value in the row's own units (dB, %, ms, Hz; 0 or 1 for a switch) as the
// 0..1 value hosts set.
constexpr float normalised(Param p, double units) {
    return static_cast<float>(units / kParameters[p].unitsPerValue());
}

}  // namespace deep
