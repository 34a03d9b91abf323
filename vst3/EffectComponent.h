// EffectComponent: a format-free effect (core/) as a VST 3 component: one
// object that is the audio processor, the edit controller and the unit
// information. Hosts that ask the component for its edit controller get the
// same object, so parameters, programs and state live in one place.
//
// The effect gives the name, vendor, parameters, programs, state and
// latency; a descriptor gives the rest, what differs per class:
//
//   struct Descriptor {
//       using Effect = ...;  // core::ZindraEffect, deep::DeepEffect
//       using Editor = ...;  // EditorPart<...> (EditorPart.h)
//       static constexpr Uid kClassId;
//   };
//
// An editor part is built from the effect (still under construction then)
// and the host's handler, and offers update() ([any thread] the effect's
// values changed) and createView(owner, name) ([ui thread] a view that holds
// a reference to owner, or null).
//
// The methods are in EffectComponentBody.h; each class's own file
// instantiates them once (ZindraComponent.cpp, DeepComponent.cpp).
//
// Threads. process runs on the host's audio thread: it applies the
// parameter changes of the block's queues at the block's start (not sample
// by sample) and processes the block, with no allocation, lock or system
// call. Everything else runs on the host's UI thread, except the
// parameter values, which the two threads share as the core does.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "core/EffectHooks.h"
#include "core/EffectIdentity.h"
#include "vst3/HostHandler.h"
#include "vst3/vst3.h"

namespace vst3 {

template <typename Descriptor>
class EffectComponent final : public IComponent,
                              public IAudioProcessor,
                              public IEditController,
                              public IUnitInfo,
                              private core::EffectHooks {
public:
    using Effect = typename Descriptor::Effect;

    // The class the factory makes.
    static constexpr Uid kClassId = Descriptor::kClassId;
    static constexpr core::EffectIdentity identity() { return Effect::identity(); }
    // The program-change parameter, after the effect's own.
    static constexpr ParamID kProgramParam = Effect::kNumParams;
    static constexpr ProgramListID kProgramList = 0;
    // The state: the bank (the bytes a VST 2 bank chunk carries) and the
    // current program as a little-endian 32-bit number.
    static constexpr size_t kStateSize = Effect::Bank::kBankSize + 4;

    // Null when the effect's memory cannot be had.
    static EffectComponent* create();

    // FUnknown
    tresult ZINDRA_VST3_CALL queryInterface(const TUID interfaceId, void** object) override;
    uint32_t ZINDRA_VST3_CALL addRef() override;
    uint32_t ZINDRA_VST3_CALL release() override;

    // IPluginBase (for the component and the controller alike)
    tresult ZINDRA_VST3_CALL initialize(FUnknown* context) override;
    tresult ZINDRA_VST3_CALL terminate() override;

    // IComponent
    tresult ZINDRA_VST3_CALL getControllerClassId(TUID classId) override;
    tresult ZINDRA_VST3_CALL setIoMode(IoMode mode) override;
    int32_t ZINDRA_VST3_CALL getBusCount(MediaType type, BusDirection dir) override;
    tresult ZINDRA_VST3_CALL getBusInfo(MediaType type, BusDirection dir, int32_t index,
                                        BusInfo& bus) override;
    tresult ZINDRA_VST3_CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
    tresult ZINDRA_VST3_CALL activateBus(MediaType type, BusDirection dir, int32_t index,
                                         TBool state) override;
    tresult ZINDRA_VST3_CALL setActive(TBool state) override;
    // A state that is not exactly kStateSize bytes, whose program is out of
    // range, or whose bank the effect refuses, changes nothing and is
    // reported. The controller's state has the same two methods; being one
    // object, component and controller keep the same.
    tresult ZINDRA_VST3_CALL setState(IBStream* state) override;
    tresult ZINDRA_VST3_CALL getState(IBStream* state) override;

    // IAudioProcessor: stereo in and out, 32-bit samples only.
    tresult ZINDRA_VST3_CALL setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                                SpeakerArrangement* outputs,
                                                int32_t numOuts) override;
    tresult ZINDRA_VST3_CALL getBusArrangement(BusDirection dir, int32_t index,
                                               SpeakerArrangement& speakers) override;
    tresult ZINDRA_VST3_CALL canProcessSampleSize(int32_t symbolicSampleSize) override;
    uint32_t ZINDRA_VST3_CALL getLatencySamples() override;
    tresult ZINDRA_VST3_CALL setupProcessing(ProcessSetup& setup) override;
    tresult ZINDRA_VST3_CALL setProcessing(TBool state) override;
    tresult ZINDRA_VST3_CALL process(ProcessData& data) override;
    uint32_t ZINDRA_VST3_CALL getTailSamples() override;

    // IEditController
    tresult ZINDRA_VST3_CALL setComponentState(IBStream* state) override;
    int32_t ZINDRA_VST3_CALL getParameterCount() override;
    tresult ZINDRA_VST3_CALL getParameterInfo(int32_t paramIndex, ParameterInfo& info) override;
    tresult ZINDRA_VST3_CALL getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                   String128 string) override;
    tresult ZINDRA_VST3_CALL getParamValueByString(ParamID id, TChar* string,
                                                   ParamValue& valueNormalized) override;
    ParamValue ZINDRA_VST3_CALL normalizedParamToPlain(ParamID id,
                                                       ParamValue valueNormalized) override;
    ParamValue ZINDRA_VST3_CALL plainParamToNormalized(ParamID id, ParamValue plainValue) override;
    ParamValue ZINDRA_VST3_CALL getParamNormalized(ParamID id) override;
    tresult ZINDRA_VST3_CALL setParamNormalized(ParamID id, ParamValue value) override;
    tresult ZINDRA_VST3_CALL setComponentHandler(IComponentHandler* handler) override;
    // The descriptor's editor: its view, or null for an effect without one.
    IPlugView* ZINDRA_VST3_CALL createView(FIDString name) override;

    // IUnitInfo: the root unit holds the effect's programs as one list.
    int32_t ZINDRA_VST3_CALL getUnitCount() override;
    tresult ZINDRA_VST3_CALL getUnitInfo(int32_t unitIndex, UnitInfo& info) override;
    int32_t ZINDRA_VST3_CALL getProgramListCount() override;
    tresult ZINDRA_VST3_CALL getProgramListInfo(int32_t listIndex, ProgramListInfo& info) override;
    tresult ZINDRA_VST3_CALL getProgramName(ProgramListID listId, int32_t programIndex,
                                            String128 name) override;
    tresult ZINDRA_VST3_CALL getProgramInfo(ProgramListID listId, int32_t programIndex,
                                            FIDString attributeId, String128 value) override;
    tresult ZINDRA_VST3_CALL hasProgramPitchNames(ProgramListID listId,
                                                  int32_t programIndex) override;
    tresult ZINDRA_VST3_CALL getProgramPitchName(ProgramListID listId, int32_t programIndex,
                                                 int16_t midiPitch, String128 name) override;
    UnitID ZINDRA_VST3_CALL getSelectedUnit() override;
    tresult ZINDRA_VST3_CALL selectUnit(UnitID unitId) override;
    tresult ZINDRA_VST3_CALL getUnitByBus(MediaType type, BusDirection dir, int32_t busIndex,
                                          int32_t channel, UnitID& unitId) override;
    tresult ZINDRA_VST3_CALL setUnitProgramData(int32_t listOrUnitId, int32_t programIndex,
                                                IBStream* data) override;

private:
    static constexpr int32_t kNumParams = Effect::kNumParams;
    static constexpr int32_t kNumPrograms = Effect::kNumPrograms;

    EffectComponent();
    ~EffectComponent() = default;

    void applyParameterChanges(IParameterChanges* changes);
    void selectProgram(ParamValue normalized);

    // What the effect asks of its format.
    float hostSampleRate() override { return rate.load(std::memory_order_relaxed); }
    void parameterChanged(int32_t) override { editor.update(); }
    void programChanged() override { editor.update(); }

    std::atomic<uint32_t> references{1};
    std::atomic<float> rate{44100.0f};
    HostHandler host;
    // The editor first: the effect's construction already tells it of its values.
    typename Descriptor::Editor editor;
    Effect effect;
};

}  // namespace vst3
