#include "vst3/ZindraComponent.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "core/LittleEndianBytes.h"
#include "editor/uEditor.h"
#include "platform/messages.h"
#include "platform/toolkit_reports.h"
#include "vst3/EditorView.h"
#include "vst3/text.h"

namespace vst3 {
namespace {

constexpr int32_t kNumParams = core::ZindraEffect::kNumParams;
constexpr int32_t kNumPrograms = core::ZindraEffect::kNumPrograms;
constexpr size_t kStateSize = core::ProgramBank::kBankSize + 4;

const core::ParameterInfo* rowOf(ParamID id) {
    return id < static_cast<ParamID>(kNumParams) ? &core::ZindraEffect::parameters()[id] : nullptr;
}

// The readout as VST 3 hosts show it in their own controls and lanes: the
// editor's text, switches capitalised ("On", "Off").
std::string hostText(const core::ParameterInfo& row, float value) {
    std::string text = core::readoutText(row, value);
    if (row.isSwitch() && !text.empty()) text[0] = static_cast<char>(std::toupper(text[0]));
    return text;
}

int32_t programOf(ParamValue normalized) {
    const double clamped = std::clamp(normalized, 0.0, 1.0);
    return static_cast<int32_t>(std::lround(clamped * (kNumPrograms - 1)));
}

// Reads the whole stream, at most `capacity` bytes; answers how many came
// (capacity + 1 when there were more).
size_t readAll(IBStream& stream, uint8_t* buffer, size_t capacity) {
    size_t got = 0;
    uint8_t spill = 0;
    while (got <= capacity) {
        const bool inBuffer = got < capacity;
        const auto want = static_cast<int32_t>(inBuffer ? capacity - got : 1);
        int32_t read = 0;
        if (stream.read(inBuffer ? buffer + got : &spill, want, &read) != kResultOk || read <= 0)
            break;
        got += static_cast<size_t>(read);
    }
    return got;
}

}  // namespace

ZindraComponent* ZindraComponent::create() {
    installToolkitReports();
    auto* component = new (std::nothrow) ZindraComponent();
    if (component && !component->zindra.ready()) {
        component->release();
        return nullptr;
    }
    return component;
}

// The editor's tick takes the spectrum: VST 3 hosts send no idle calls.
ZindraComponent::ZindraComponent()
    : ZindraEditController(zindra),
      session(*this, &platform::createChildWindow, true),
      zindra(*this) {}

ZindraComponent::~ZindraComponent() {
    if (handler) handler->release();
}

tresult ZindraComponent::queryInterface(const TUID interfaceId, void** object) {
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

uint32_t ZindraComponent::addRef() { return ++references; }

uint32_t ZindraComponent::release() {
    const uint32_t left = --references;
    if (left == 0) delete this;
    return left;
}

tresult ZindraComponent::initialize(FUnknown*) { return kResultOk; }
tresult ZindraComponent::terminate() { return kResultOk; }

// The controller is this object: there is no separate class.
tresult ZindraComponent::getControllerClassId(TUID) { return kResultFalse; }

tresult ZindraComponent::setIoMode(IoMode) { return kResultOk; }

int32_t ZindraComponent::getBusCount(MediaType type, BusDirection) {
    return type == kAudio ? 1 : 0;
}

tresult ZindraComponent::getBusInfo(MediaType type, BusDirection dir, int32_t index, BusInfo& bus) {
    if (type != kAudio || index != 0 || (dir != kInput && dir != kOutput)) return kInvalidArgument;
    bus.mediaType = kAudio;
    bus.direction = dir;
    bus.channelCount = 2;
    copyText(bus.name, dir == kInput ? "Input" : "Output");
    bus.busType = kMain;
    bus.flags = BusInfo::kDefaultActive;
    return kResultOk;
}

tresult ZindraComponent::getRoutingInfo(RoutingInfo&, RoutingInfo&) { return kNotImplemented; }

tresult ZindraComponent::activateBus(MediaType type, BusDirection, int32_t index, TBool) {
    return type == kAudio && index == 0 ? kResultOk : kInvalidArgument;
}

// Switched off, the engine forgets its signal, as a VST 2 host's
// effMainsChanged(0) makes it; switched on, it starts from there.
tresult ZindraComponent::setActive(TBool state) {
    if (!state) zindra.suspend();
    return kResultOk;
}

tresult ZindraComponent::setState(IBStream* state) {
    if (!state) return kInvalidArgument;
    uint8_t bytes[kStateSize];
    const size_t size = readAll(*state, bytes, kStateSize);
    const char* refusal = nullptr;
    int32_t program = 0;
    if (size != kStateSize) {
        refusal = "E5 - Not a valid Zindra bank.";
    } else {
        uint32_t stored = 0;
        LittleEndianReader(bytes, kStateSize).readUint32(core::ProgramBank::kBankSize, stored);
        program = static_cast<int32_t>(stored);
        if (!core::ProgramBank::valid(program)) refusal = "E5 - Not a valid Zindra bank.";
    }
    if (!refusal)
        refusal = zindra.loadState(core::StateKind::Bank, bytes, core::ProgramBank::kBankSize);
    if (refusal) {
        messages::report(refusal);
        return kResultFalse;
    }
    zindra.setProgram(program);
    return kResultOk;
}

tresult ZindraComponent::getState(IBStream* state) {
    if (!state) return kInvalidArgument;
    size_t size = 0;
    const uint8_t* bank = zindra.saveState(core::StateKind::Bank, size);
    if (!bank) return kInternalError;
    uint8_t program[4] = {};
    LittleEndianWriter(program, sizeof program)
        .writeUint32(0, static_cast<uint32_t>(zindra.program()));
    int32_t written = 0;
    if (state->write(const_cast<uint8_t*>(bank), static_cast<int32_t>(size), &written) !=
            kResultOk ||
        written != static_cast<int32_t>(size))
        return kResultFalse;
    if (state->write(program, sizeof program, &written) != kResultOk || written != 4)
        return kResultFalse;
    return kResultOk;
}

tresult ZindraComponent::setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                            SpeakerArrangement* outputs, int32_t numOuts) {
    const bool stereo = numIns == 1 && numOuts == 1 && inputs && outputs &&
                        inputs[0] == arrangement::kStereo && outputs[0] == arrangement::kStereo;
    return stereo ? kResultTrue : kResultFalse;
}

tresult ZindraComponent::getBusArrangement(BusDirection dir, int32_t index,
                                           SpeakerArrangement& speakers) {
    if (index != 0 || (dir != kInput && dir != kOutput)) return kInvalidArgument;
    speakers = arrangement::kStereo;
    return kResultOk;
}

tresult ZindraComponent::canProcessSampleSize(int32_t symbolicSampleSize) {
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32_t ZindraComponent::getLatencySamples() { return core::ZindraEffect::kLatencySamples; }

tresult ZindraComponent::setupProcessing(ProcessSetup& setup) {
    if (setup.symbolicSampleSize != kSample32) return kResultFalse;
    rate.store(static_cast<float>(setup.sampleRate), std::memory_order_relaxed);
    zindra.refreshSampleRate();
    return kResultOk;
}

tresult ZindraComponent::setProcessing(TBool) { return kResultOk; }

// The last value of each queue is applied at the start of the block.
void ZindraComponent::applyParameterChanges(IParameterChanges* changes) {
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
            zindra.setProgram(programOf(value));
        else if (rowOf(id))
            zindra.setParameter(static_cast<int32_t>(id), static_cast<float>(value));
    }
}

tresult ZindraComponent::process(ProcessData& data) {
    applyParameterChanges(data.inputParameterChanges);
    if (data.numSamples <= 0) return kResultOk;
    if (data.symbolicSampleSize != kSample32 || data.numInputs < 1 || data.numOutputs < 1 ||
        !data.inputs || !data.outputs || data.inputs[0].numChannels < 2 ||
        data.outputs[0].numChannels < 2)
        return kResultFalse;
    float** in = data.inputs[0].channelBuffers32;
    float** out = data.outputs[0].channelBuffers32;
    zindra.process(in, out, data.numSamples, true);
    data.outputs[0].silenceFlags = 0;
    return kResultOk;
}

uint32_t ZindraComponent::getTailSamples() { return core::ZindraEffect::kLatencySamples; }

// The component's state is this object's own: nothing to take over.
tresult ZindraComponent::setComponentState(IBStream*) { return kResultOk; }

int32_t ZindraComponent::getParameterCount() { return kNumParams + 1; }

tresult ZindraComponent::getParameterInfo(int32_t paramIndex, ParameterInfo& info) {
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
    const core::ParameterInfo& row = core::ZindraEffect::parameters()[paramIndex];
    copyText(info.title, row.name);
    copyText(info.shortTitle, row.name);
    copyText(info.units, core::unitOf(row.readout));
    info.stepCount = row.isSwitch() ? 1 : 0;
    info.defaultNormalizedValue = row.defaultValue;
    info.flags = ParameterInfo::kCanAutomate;
    return kResultOk;
}

tresult ZindraComponent::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                               String128 string) {
    if (!string) return kInvalidArgument;
    if (id == kProgramParam) {
        char name[64] = {};
        zindra.programName(programOf(valueNormalized), name, sizeof name - 1);
        copyText(*reinterpret_cast<String128*>(string), name);
        return kResultOk;
    }
    const core::ParameterInfo* row = rowOf(id);
    if (!row) return kInvalidArgument;
    const float value = static_cast<float>(std::clamp(valueNormalized, 0.0, 1.0));
    copyText(*reinterpret_cast<String128*>(string), hostText(*row, value));
    return kResultOk;
}

tresult ZindraComponent::getParamValueByString(ParamID id, TChar* string,
                                               ParamValue& valueNormalized) {
    if (!string) return kInvalidArgument;
    const std::string text = narrowText(string);
    if (id == kProgramParam) {
        for (int32_t p = 0; p < kNumPrograms; ++p) {
            char name[64] = {};
            zindra.programName(p, name, sizeof name - 1);
            if (text == name) {
                valueNormalized = static_cast<double>(p) / (kNumPrograms - 1);
                return kResultOk;
            }
        }
        return kResultFalse;
    }
    const core::ParameterInfo* row = rowOf(id);
    float value = 0.0f;
    if (!row || !core::valueFromText(*row, text, value)) return kResultFalse;
    valueNormalized = value;
    return kResultOk;
}

// The effect's parameters are their own plain values (0..1); the program's
// plain value is its index.
ParamValue ZindraComponent::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
    return id == kProgramParam ? programOf(valueNormalized) : valueNormalized;
}

ParamValue ZindraComponent::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    if (id == kProgramParam) return std::clamp(plainValue / (kNumPrograms - 1), 0.0, 1.0);
    return plainValue;
}

ParamValue ZindraComponent::getParamNormalized(ParamID id) {
    if (id == kProgramParam) return static_cast<double>(zindra.program()) / (kNumPrograms - 1);
    return rowOf(id) ? zindra.parameter(static_cast<int32_t>(id)) : 0.0;
}

tresult ZindraComponent::setParamNormalized(ParamID id, ParamValue value) {
    if (id == kProgramParam) {
        selectProgram(value);
        return kResultOk;
    }
    if (!rowOf(id)) return kInvalidArgument;
    zindra.setParameter(static_cast<int32_t>(id), static_cast<float>(value));
    return kResultOk;
}

// A program sets every parameter: the host rereads them.
void ZindraComponent::selectProgram(ParamValue normalized) {
    const int32_t program = programOf(normalized);
    if (program == zindra.program()) return;
    zindra.setProgram(program);
    if (handler) handler->restartComponent(kParamValuesChanged);
}

tresult ZindraComponent::setComponentHandler(IComponentHandler* newHandler) {
    if (newHandler == handler) return kResultOk;
    if (newHandler) newHandler->addRef();
    if (handler) handler->release();
    handler = newHandler;
    return kResultOk;
}

IPlugView* ZindraComponent::createView(FIDString name) {
    if (!name || std::string(name) != kViewTypeEditor) return nullptr;
    return EditorView::create(*this);
}

int32_t ZindraComponent::getUnitCount() { return 1; }

tresult ZindraComponent::getUnitInfo(int32_t unitIndex, UnitInfo& info) {
    if (unitIndex != 0) return kInvalidArgument;
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    copyText(info.name, "Root");
    info.programListId = kProgramList;
    return kResultOk;
}

int32_t ZindraComponent::getProgramListCount() { return 1; }

tresult ZindraComponent::getProgramListInfo(int32_t listIndex, ProgramListInfo& info) {
    if (listIndex != 0) return kInvalidArgument;
    info.id = kProgramList;
    copyText(info.name, "Programs");
    info.programCount = kNumPrograms;
    return kResultOk;
}

tresult ZindraComponent::getProgramName(ProgramListID listId, int32_t programIndex,
                                        String128 name) {
    char text[64] = {};
    if (listId != kProgramList || !name || !zindra.programName(programIndex, text, sizeof text - 1))
        return kInvalidArgument;
    copyText(*reinterpret_cast<String128*>(name), text);
    return kResultOk;
}

tresult ZindraComponent::getProgramInfo(ProgramListID, int32_t, FIDString, String128) {
    return kNotImplemented;
}

tresult ZindraComponent::hasProgramPitchNames(ProgramListID, int32_t) { return kResultFalse; }

tresult ZindraComponent::getProgramPitchName(ProgramListID, int32_t, int16_t, String128) {
    return kNotImplemented;
}

UnitID ZindraComponent::getSelectedUnit() { return kRootUnitId; }

tresult ZindraComponent::selectUnit(UnitID unitId) {
    return unitId == kRootUnitId ? kResultOk : kInvalidArgument;
}

tresult ZindraComponent::getUnitByBus(MediaType, BusDirection, int32_t, int32_t, UnitID& unitId) {
    unitId = kRootUnitId;
    return kResultOk;
}

tresult ZindraComponent::setUnitProgramData(int32_t, int32_t, IBStream*) { return kNotImplemented; }

void ZindraComponent::parameterChanged(int32_t) { session.update(); }
void ZindraComponent::programChanged() { session.update(); }

void ZindraComponent::beginEdit(int32_t index) {
    if (handler) handler->beginEdit(static_cast<ParamID>(index));
}

// The effect takes the editor's value at once; the host hears of it to
// record and to send back through the parameter queues.
void ZindraComponent::performEdit(int32_t index, float value) {
    zindra.setParameter(index, value);
    if (handler) handler->performEdit(static_cast<ParamID>(index), value);
}

void ZindraComponent::endEdit(int32_t index) {
    if (handler) handler->endEdit(static_cast<ParamID>(index));
}

}  // namespace vst3
