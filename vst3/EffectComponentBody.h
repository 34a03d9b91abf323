// The methods of EffectComponent (EffectComponent.h), written once for every
// effect. Included only where a class is instantiated, once per effect.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "core/LittleEndianBytes.h"
#include "core/ParameterTable.h"
#include "core/ProgramBankOf.h"
#include "platform/messages.h"
#include "platform/toolkit_reports.h"
#include "vst3/EffectComponent.h"
#include "vst3/HostReadout.h"
#include "vst3/StreamBytes.h"
#include "vst3/text.h"

namespace vst3 {

namespace component_detail {

// The state format behind an effect's bank, for the effect's own messages.
template <typename Bank>
struct StateFormatOf;
template <typename Format>
struct StateFormatOf<core::ProgramBankOf<Format>> {
    using Type = Format;
};

// The message for a state whose size or program the effect cannot take:
// the effect's own for a damaged bank.
template <typename Effect>
constexpr const char* kDamagedBank = StateFormatOf<typename Effect::Bank>::Type::kRefusals[4];

// The program a normalized value of the program-change parameter selects;
// anything not above 0 (NaN too) is the first.
inline int32_t programOf(ParamValue normalized, int32_t numPrograms) {
    if (!(normalized > 0.0)) return 0;
    return static_cast<int32_t>(std::lround(std::min(normalized, 1.0) * (numPrograms - 1)));
}

}  // namespace component_detail

template <typename Descriptor>
EffectComponent<Descriptor>* EffectComponent<Descriptor>::create() {
    installToolkitReports();
    auto* component = new (std::nothrow) EffectComponent();
    if (component && !component->effect.ready()) {
        component->release();
        return nullptr;
    }
    return component;
}

template <typename Descriptor>
EffectComponent<Descriptor>::EffectComponent() : editor(effect, host), effect(*this) {}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::queryInterface(const TUID interfaceId, void** object) {
    if (!object) return kInvalidArgument;
    *object = nullptr;
    if (sameUid(interfaceId, FUnknown::iid) || sameUid(interfaceId, IPluginBase::iid) ||
        sameUid(interfaceId, IComponent::iid))
        *object = static_cast<IComponent*>(this);
    else if (sameUid(interfaceId, IAudioProcessor::iid))
        *object = static_cast<IAudioProcessor*>(this);
    else if (sameUid(interfaceId, IEditController::iid))
        *object = static_cast<IEditController*>(this);
    else if (sameUid(interfaceId, IUnitInfo::iid))
        *object = static_cast<IUnitInfo*>(this);
    if (!*object) return kNoInterface;
    addRef();
    return kResultOk;
}

template <typename Descriptor>
uint32_t EffectComponent<Descriptor>::addRef() {
    return ++references;
}

template <typename Descriptor>
uint32_t EffectComponent<Descriptor>::release() {
    const uint32_t left = --references;
    if (left == 0) delete this;
    return left;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::initialize(FUnknown*) {
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::terminate() {
    return kResultOk;
}

// The controller is this object: there is no separate class.
template <typename Descriptor>
tresult EffectComponent<Descriptor>::getControllerClassId(TUID) {
    return kResultFalse;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setIoMode(IoMode) {
    return kResultOk;
}

template <typename Descriptor>
int32_t EffectComponent<Descriptor>::getBusCount(MediaType type, BusDirection) {
    return type == kAudio ? 1 : 0;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getBusInfo(MediaType type, BusDirection dir, int32_t index,
                                                BusInfo& bus) {
    if (type != kAudio || index != 0 || (dir != kInput && dir != kOutput)) return kInvalidArgument;
    bus.mediaType = kAudio;
    bus.direction = dir;
    bus.channelCount = 2;
    copyText(bus.name, dir == kInput ? "Input" : "Output");
    bus.busType = kMain;
    bus.flags = BusInfo::kDefaultActive;
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getRoutingInfo(RoutingInfo&, RoutingInfo&) {
    return kNotImplemented;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::activateBus(MediaType type, BusDirection, int32_t index,
                                                 TBool) {
    return type == kAudio && index == 0 ? kResultOk : kInvalidArgument;
}

// Switched off, the engine forgets its signal, as a VST 2 host's
// effMainsChanged(0) makes it; switched on, it starts from there.
template <typename Descriptor>
tresult EffectComponent<Descriptor>::setActive(TBool state) {
    if (!state) effect.suspend();
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setState(IBStream* state) {
    using Bank = typename Effect::Bank;
    if (!state) return kInvalidArgument;
    uint8_t bytes[kStateSize];
    const size_t size = readAll(*state, bytes, kStateSize);
    const char* refusal = nullptr;
    int32_t program = 0;
    if (size != kStateSize) {
        refusal = component_detail::kDamagedBank<Effect>;
    } else {
        uint32_t stored = 0;
        LittleEndianReader(bytes, kStateSize).readUint32(Bank::kBankSize, stored);
        program = static_cast<int32_t>(stored);
        if (!Bank::valid(program)) refusal = component_detail::kDamagedBank<Effect>;
    }
    if (!refusal) refusal = effect.loadState(core::StateKind::Bank, bytes, Bank::kBankSize);
    if (refusal) {
        messages::report(refusal);
        return kResultFalse;
    }
    effect.setProgram(program);
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getState(IBStream* state) {
    if (!state) return kInvalidArgument;
    size_t size = 0;
    const uint8_t* bank = effect.saveState(core::StateKind::Bank, size);
    if (!bank) return kInternalError;
    uint8_t program[4] = {};
    LittleEndianWriter(program, sizeof program)
        .writeUint32(0, static_cast<uint32_t>(effect.program()));
    if (!writeAll(*state, bank, size) || !writeAll(*state, program, sizeof program))
        return kResultFalse;
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                                        SpeakerArrangement* outputs,
                                                        int32_t numOuts) {
    const bool stereo = numIns == 1 && numOuts == 1 && inputs && outputs &&
                        inputs[0] == arrangement::kStereo && outputs[0] == arrangement::kStereo;
    return stereo ? kResultTrue : kResultFalse;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getBusArrangement(BusDirection dir, int32_t index,
                                                       SpeakerArrangement& speakers) {
    if (index != 0 || (dir != kInput && dir != kOutput)) return kInvalidArgument;
    speakers = arrangement::kStereo;
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::canProcessSampleSize(int32_t symbolicSampleSize) {
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

template <typename Descriptor>
uint32_t EffectComponent<Descriptor>::getLatencySamples() {
    return Effect::kLatencySamples;
}

// A rate beyond what a float holds, or not a number, is passed on as none
// (0), at which every engine runs at its default rate; converted, it would be
// undefined, and an infinite rate would turn Zindra Deep's time constants
// into what is not a number.
template <typename Descriptor>
tresult EffectComponent<Descriptor>::setupProcessing(ProcessSetup& setup) {
    if (setup.symbolicSampleSize != kSample32) return kResultFalse;
    const double asked = setup.sampleRate;
    const bool fits = std::fabs(asked) <= static_cast<double>(std::numeric_limits<float>::max());
    rate.store(fits ? static_cast<float>(asked) : 0.0f, std::memory_order_relaxed);
    effect.refreshSampleRate();
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setProcessing(TBool) {
    return kResultOk;
}

// The last value of each queue is applied at the start of the block.
template <typename Descriptor>
void EffectComponent<Descriptor>::applyParameterChanges(IParameterChanges* changes) {
    if (!changes) return;
    const int32_t count = changes->getParameterCount();
    for (int32_t i = 0; i < count; ++i) {
        IParamValueQueue* queue = changes->getParameterData(i);
        if (!queue) continue;
        const int32_t points = queue->getPointCount();
        int32_t offset = 0;
        ParamValue value = 0.0;
        if (points <= 0 || queue->getPoint(points - 1, offset, value) != kResultOk) continue;
        const ParamID id = queue->getParameterId();
        if (id == kProgramParam)
            effect.setProgram(component_detail::programOf(value, kNumPrograms));
        else if (id < kProgramParam)
            effect.setParameter(static_cast<int32_t>(id), static_cast<float>(value));
    }
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::process(ProcessData& data) {
    applyParameterChanges(data.inputParameterChanges);
    if (data.numSamples <= 0) return kResultOk;
    if (data.symbolicSampleSize != kSample32 || data.numInputs < 1 || data.numOutputs < 1 ||
        !data.inputs || !data.outputs || data.inputs[0].numChannels < 2 ||
        data.outputs[0].numChannels < 2)
        return kResultFalse;
    float** in = data.inputs[0].channelBuffers32;
    float** out = data.outputs[0].channelBuffers32;
    effect.process(in, out, data.numSamples, true);
    data.outputs[0].silenceFlags = 0;
    return kResultOk;
}

template <typename Descriptor>
uint32_t EffectComponent<Descriptor>::getTailSamples() {
    return Effect::kLatencySamples;
}

// The component's state is this object's own: nothing to take over.
template <typename Descriptor>
tresult EffectComponent<Descriptor>::setComponentState(IBStream*) {
    return kResultOk;
}

template <typename Descriptor>
int32_t EffectComponent<Descriptor>::getParameterCount() {
    return kNumParams + 1;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getParameterInfo(int32_t paramIndex, ParameterInfo& info) {
    if (paramIndex < 0 || paramIndex > kNumParams) return kInvalidArgument;
    std::memset(&info, 0, sizeof info);
    info.id = static_cast<ParamID>(paramIndex);
    info.unitId = kRootUnitId;
    if (paramIndex == kNumParams) {
        copyText(info.title, "Program");
        copyText(info.shortTitle, "Program");
        info.stepCount = kNumPrograms - 1;
        info.defaultNormalizedValue = 0.0;
        info.flags = ParameterInfo::kIsProgramChange | ParameterInfo::kIsList;
        return kResultOk;
    }
    const core::ParameterInfo& row = Effect::parameters()[static_cast<size_t>(paramIndex)];
    copyText(info.title, row.name);
    copyText(info.shortTitle, row.name);
    copyText(info.units, core::unitOf(row.readout));
    info.stepCount = row.isSwitch() ? 1 : 0;
    info.defaultNormalizedValue = row.defaultValue;
    info.flags = ParameterInfo::kCanAutomate;
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                           String128 string) {
    if (!string) return kInvalidArgument;
    auto& text = *reinterpret_cast<String128*>(string);
    if (id == kProgramParam) {
        char name[64] = {};
        effect.programName(component_detail::programOf(valueNormalized, kNumPrograms), name,
                           sizeof name - 1);
        copyText(text, name);
        return kResultOk;
    }
    if (id > kProgramParam) return kInvalidArgument;
    const float value = static_cast<float>(std::clamp(valueNormalized, 0.0, 1.0));
    copyText(text, hostReadout(Effect::parameters()[id], value));
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getParamValueByString(ParamID id, TChar* string,
                                                           ParamValue& valueNormalized) {
    if (!string) return kInvalidArgument;
    const std::string text = narrowText(string);
    if (id == kProgramParam) {
        for (int32_t p = 0; p < kNumPrograms; ++p) {
            char name[64] = {};
            effect.programName(p, name, sizeof name - 1);
            if (text == name) {
                valueNormalized = static_cast<double>(p) / (kNumPrograms - 1);
                return kResultOk;
            }
        }
        return kResultFalse;
    }
    float value = 0.0f;
    if (id > kProgramParam || !core::valueFromText(Effect::parameters()[id], text, value))
        return kResultFalse;
    valueNormalized = value;
    return kResultOk;
}

// The effect's parameters are their own plain values (0..1); the program's
// plain value is its index.
template <typename Descriptor>
ParamValue EffectComponent<Descriptor>::normalizedParamToPlain(ParamID id,
                                                               ParamValue valueNormalized) {
    return id == kProgramParam ? component_detail::programOf(valueNormalized, kNumPrograms)
                               : valueNormalized;
}

template <typename Descriptor>
ParamValue EffectComponent<Descriptor>::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    if (id == kProgramParam) return std::clamp(plainValue / (kNumPrograms - 1), 0.0, 1.0);
    return plainValue;
}

template <typename Descriptor>
ParamValue EffectComponent<Descriptor>::getParamNormalized(ParamID id) {
    if (id == kProgramParam) return static_cast<double>(effect.program()) / (kNumPrograms - 1);
    return id < kProgramParam ? effect.parameter(static_cast<int32_t>(id)) : 0.0;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setParamNormalized(ParamID id, ParamValue value) {
    if (id == kProgramParam) {
        selectProgram(value);
        return kResultOk;
    }
    if (id > kProgramParam) return kInvalidArgument;
    effect.setParameter(static_cast<int32_t>(id), static_cast<float>(value));
    return kResultOk;
}

// A program sets every parameter: the host rereads them.
template <typename Descriptor>
void EffectComponent<Descriptor>::selectProgram(ParamValue normalized) {
    const int32_t program = component_detail::programOf(normalized, kNumPrograms);
    if (program == effect.program()) return;
    effect.setProgram(program);
    host.restart(kParamValuesChanged);
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setComponentHandler(IComponentHandler* handler) {
    host.set(handler);
    return kResultOk;
}

template <typename Descriptor>
IPlugView* EffectComponent<Descriptor>::createView(FIDString name) {
    return editor.createView(*static_cast<IComponent*>(this), name);
}

template <typename Descriptor>
int32_t EffectComponent<Descriptor>::getUnitCount() {
    return 1;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getUnitInfo(int32_t unitIndex, UnitInfo& info) {
    if (unitIndex != 0) return kInvalidArgument;
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    copyText(info.name, "Root");
    info.programListId = kProgramList;
    return kResultOk;
}

template <typename Descriptor>
int32_t EffectComponent<Descriptor>::getProgramListCount() {
    return 1;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getProgramListInfo(int32_t listIndex, ProgramListInfo& info) {
    if (listIndex != 0) return kInvalidArgument;
    info.id = kProgramList;
    copyText(info.name, "Programs");
    info.programCount = kNumPrograms;
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getProgramName(ProgramListID listId, int32_t programIndex,
                                                    String128 name) {
    char text[64] = {};
    if (listId != kProgramList || !name || !effect.programName(programIndex, text, sizeof text - 1))
        return kInvalidArgument;
    copyText(*reinterpret_cast<String128*>(name), text);
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getProgramInfo(ProgramListID, int32_t, FIDString, String128) {
    return kNotImplemented;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::hasProgramPitchNames(ProgramListID, int32_t) {
    return kResultFalse;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getProgramPitchName(ProgramListID, int32_t, int16_t,
                                                         String128) {
    return kNotImplemented;
}

template <typename Descriptor>
UnitID EffectComponent<Descriptor>::getSelectedUnit() {
    return kRootUnitId;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::selectUnit(UnitID unitId) {
    return unitId == kRootUnitId ? kResultOk : kInvalidArgument;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::getUnitByBus(MediaType, BusDirection, int32_t, int32_t,
                                                  UnitID& unitId) {
    unitId = kRootUnitId;
    return kResultOk;
}

template <typename Descriptor>
tresult EffectComponent<Descriptor>::setUnitProgramData(int32_t, int32_t, IBStream*) {
    return kNotImplemented;
}

}  // namespace vst3
