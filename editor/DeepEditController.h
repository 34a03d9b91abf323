// The reading side of the editor's controller over Zindra Deep, the same in
// every format: the parameter values, what the engine publishes for the
// display (the input's spectrum and what is taken out of it, the keeps as
// markers). A format adds how an edit reaches its host.
#pragma once

#include <algorithm>
#include <cmath>

#include "core/deep/DeepEffect.h"
#include "editor/EditController.h"

namespace editor {

class DeepEditController : public EditController {
public:
    // effect may still be under construction: it is only used later.
    explicit DeepEditController(deep::DeepEffect& effect) : shown(effect) {}

    float parameterValue(int32_t index) override { return shown.parameter(index); }
    // The engine asks for the rate at every reset; the display reads the one it runs at.
    void refreshSampleRate() override {}
    DisplayValues displayValues() override {
        const float rate = shown.deepEngine().sampleRateHz();
        const float binsPerHz = static_cast<float>(deep::DeepEngine::kFrameSize) / rate;
        const auto binOf = [&](int32_t parameter) {
            const float hz = shown.parameter(parameter) *
                             static_cast<float>(deep::kParameters[parameter].unitsPerValue());
            return static_cast<int32_t>(std::lround(
                std::min(hz * binsPerHz, static_cast<float>(deep::DeepEngine::kBinCount - 1))));
        };
        return {deep::DeepEngine::kBinCount - 1, binOf(deep::kLowKeep), binOf(deep::kHighKeep),
                1000.0f * static_cast<float>(deep::DeepEngine::kLatencySamples) / rate};
    }
    // The engine publishes power per bin of both channels: shown as the
    // magnitude of one channel, as Zindra's spectrum shows it.
    int32_t copyMagnitudes(float* input, float* removed, int32_t capacity) override {
        const int32_t bins = shown.deepEngine().copyLevels(input, removed, capacity);
        const int32_t n = std::min(bins, capacity);
        for (int32_t b = 0; b < n; ++b) {
            input[b] = std::sqrt(0.5f * input[b]);
            removed[b] = std::sqrt(0.5f * removed[b]);
        }
        return bins;
    }

protected:
    ~DeepEditController() = default;

private:
    deep::DeepEffect& shown;
};

}  // namespace editor
