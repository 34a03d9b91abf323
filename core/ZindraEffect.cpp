#include "core/ZindraEffect.h"

namespace core {

ZindraEffect::ZindraEffect(EffectHooks& owner) : EffectPrograms(owner), engine(*this) {
    if (!engine.ready()) {
        readiness = Readiness::NoEngineMemory;
        return;
    }
    if (!bank.ready()) {
        readiness = Readiness::NoProgramMemory;
        return;
    }
    engine.suspend();
    setProgram(0);
}

void ZindraEffect::applyToEngine(int32_t index, float v) {
    const bool on = v != 0.0f;
    switch (index) {
        case zindra::kCenter: engine.setCenter(v); break;
        case zindra::kWidth: engine.setWidth(v); break;
        case zindra::kSpread: engine.setSpread(v); break;
        case zindra::kMix: engine.setMix(v); break;
        case zindra::kHumidity: engine.setHumidity(v); break;
        case zindra::kHiRes: engine.setHiRes(v); break;
        case zindra::kBypass: engine.setBypass(on); break;
        case zindra::kZindracate: engine.setZindracate(on); break;
        case zindra::kStereolize: engine.setStereolize(on); break;
        case zindra::kPassThru: engine.setPassThru(on); break;
        case zindra::kIsolate: engine.setIsolate(on); break;
        case zindra::kSpreadilate: engine.setSpreadilate(on); break;
        default: break;
    }
}

}  // namespace core
