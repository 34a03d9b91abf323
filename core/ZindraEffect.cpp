#include "core/ZindraEffect.h"

namespace core {

ZindraEffect::ZindraEffect(EffectHooks& owner) : hooks(owner), engine(*this) {
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

void ZindraEffect::setParameter(int32_t index, float value) {
    // Above 1 is 1; anything not at least 0 (negative, NaN) is 0.
    const float v = value > 1.0f ? 1.0f : (value >= 0.0f ? value : 0.0f);
    if (index < 0 || index >= kNumParams) return;
    applyToEngine(index, v);
    params[index].store(v);
    if (bank.ready()) bank.program(current.load()).fpar[index].store(v);
    hooks.parameterChanged(index);
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

float ZindraEffect::parameter(int32_t index) const {
    return index >= 0 && index < kNumParams ? params[index].load() : 0.0f;
}

void ZindraEffect::setProgram(int32_t index) {
    if (!ProgramBank::valid(index) || !bank.ready()) return;
    current.store(index);
    for (int32_t i = 0; i < kNumParams; ++i) setParameter(i, bank.program(index).fpar[i].load());
    hooks.programChanged();
}

void ZindraEffect::renameProgram(const char* name) {
    if (!name || !bank.ready()) return;
    bank.rename(current.load(), name);
    hooks.programChanged();
}

bool ZindraEffect::programName(int32_t index, char* destination, size_t maxCharacters) const {
    if (!ProgramBank::valid(index) || !bank.ready()) return false;
    if (destination) bank.copyName(index, destination, maxCharacters);
    return true;
}

const uint8_t* ZindraEffect::saveState(StateKind kind, size_t& size) {
    size = 0;
    if (!bank.ready()) return nullptr;
    return bank.save(kind, current.load(), size);
}

const char* ZindraEffect::loadState(StateKind kind, const uint8_t* data, size_t size) {
    if (!bank.ready()) return nullptr;
    if (const char* refusal = bank.load(kind, data, size, current.load())) return refusal;
    setProgram(current.load());
    return nullptr;
}

}  // namespace core
