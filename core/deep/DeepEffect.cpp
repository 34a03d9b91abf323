#include "core/deep/DeepEffect.h"

#include "core/ParameterTable.h"

namespace deep {

DeepEffect::DeepEffect(core::EffectHooks& owner) : EffectPrograms(owner), engine(*this) {
    if (ready()) setProgram(0);
}

void DeepEffect::applyToEngine(int32_t index, float value) {
    const auto units = static_cast<float>(value * kParameters[index].unitsPerValue());
    switch (index) {
        case kDepth: engine.setDepthDb(units); break;
        case kWidth: engine.setWidthPercent(units); break;
        case kSmoothing: engine.setSmoothingMs(units); break;
        case kTail: engine.setTailMs(units); break;
        case kLowKeep: engine.setLowKeepHz(units); break;
        case kHighKeep: engine.setHighKeepHz(units); break;
        case kMix: engine.setMix(value); break;
        case kIsolate: engine.setIsolate(core::switchState(value) == 1); break;
        default: break;
    }
}

}  // namespace deep
