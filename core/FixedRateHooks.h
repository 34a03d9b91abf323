// Hooks for an effect that runs on its own, outside any host: a fixed
// sample rate and nobody to tell of changes (benchmarks, tests, the bundle
// description).
#pragma once

#include "core/EffectHooks.h"

namespace core {

class FixedRateHooks final : public EffectHooks {
public:
    explicit FixedRateHooks(float sampleRate = 44100.0f) : rate(sampleRate) {}
    float hostSampleRate() override { return rate; }
    void parameterChanged(int32_t) override {}
    void programChanged() override {}

private:
    float rate;
};

}  // namespace core
