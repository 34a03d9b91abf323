// Zindra as a VST 3 component: one object that is the audio processor, the
// edit controller and the unit information, over the format-free effect.
// Hosts that ask the component for its edit controller get the same object,
// so parameters, programs and state live in one place.
//
// Threads. process runs on the host's audio thread: it applies the
// parameter changes of the block's queues at the block's start (not sample
// by sample) and processes the block, with no allocation, lock or system
// call. Everything else runs on the host's UI thread, except the
// parameter values, which the two threads share as the core does.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/ZindraEffect.h"
#include "editor/EditorSession.h"
#include "editor/ZindraEditController.h"
#include "vst3/vst3.h"

namespace vst3 {

class ZindraComponent final : public IComponent,
                              public IAudioProcessor,
                              public IEditController,
                              public IUnitInfo,
                              private core::EffectHooks,
                              private editor::ZindraEditController {
public:
    // The class the factory makes.
    static constexpr Uid kClassId = makeUid(0x7B3E1C52, 0x9D4A4F0E, 0xA6C2E8B1, 0x5A51374E);
    // The program-change parameter, after the effect's own.
    static constexpr ParamID kProgramParam = core::ZindraEffect::kNumParams;
    static constexpr ProgramListID kProgramList = 0;

    // Null when the effect's memory cannot be had.
    static ZindraComponent* create();

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
    // The state is the bank (the bytes a VST 2 bank chunk carries) and the
    // current program as a little-endian 32-bit number: 3652 bytes. A state
    // that is not exactly that, or whose bank the effect refuses, changes
    // nothing and is reported. The controller's state has the same two
    // methods; being one object, component and controller keep the same.
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
    IPlugView* ZINDRA_VST3_CALL createView(FIDString name) override;

    // IUnitInfo: the root unit holds the ten programs as one list.
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

    // The editor session the views show (UI thread).
    editor::EditorSession& editorSession() { return session; }

private:
    ZindraComponent();
    ~ZindraComponent();

    void applyParameterChanges(IParameterChanges* changes);
    void selectProgram(ParamValue normalized);

    // What the effect asks of its format.
    float hostSampleRate() override { return rate.load(std::memory_order_relaxed); }
    void parameterChanged(int32_t index) override;
    void programChanged() override;

    // What the editor asks of the effect.
    void beginEdit(int32_t index) override;
    void performEdit(int32_t index, float value) override;
    void endEdit(int32_t index) override;

    std::atomic<uint32_t> references{1};
    std::atomic<float> rate{44100.0f};
    IComponentHandler* handler = nullptr;
    // The session first: the effect's construction already tells it of its values.
    editor::EditorSession session;
    core::ZindraEffect zindra;
};

}  // namespace vst3
