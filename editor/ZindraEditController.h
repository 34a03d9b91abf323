// The reading side of the editor's controller over Zindra's effect, the same
// in every format: the parameter values, the sample rate, what the engine
// publishes for the display. A format adds how an edit reaches its host.
#pragma once

#include "core/ZindraEffect.h"
#include "editor/EditController.h"

namespace editor {

class ZindraEditController : public EditController {
public:
    // effect may still be under construction: it is only used later.
    explicit ZindraEditController(core::ZindraEffect& effect) : shown(effect) {}

    float parameterValue(int32_t index) override { return shown.parameter(index); }
    void refreshSampleRate() override { shown.refreshSampleRate(); }
    DisplayValues displayValues() override {
        const FrameEngine& engine = shown.frameEngine();
        return {engine.getBandLimitBin(), engine.getBandLowBin(), engine.getBandHighBin(),
                engine.getLatencyMs()};
    }
    int32_t copyMagnitudes(float* left, float* right, int32_t capacity) override {
        return shown.frameEngine().copyMagnitudes(left, right, capacity);
    }

protected:
    ~ZindraEditController() = default;

private:
    core::ZindraEffect& shown;
};

}  // namespace editor
