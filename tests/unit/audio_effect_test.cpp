// The base effect: what construction puts into the record, the flag setters,
// the editor hand-over, and the C entry points that reach the object.
#include <gtest/gtest.h>

#include <cstring>

#include "support/RecordingHost.h"
#include "vst2/DAudioEffectX.h"
#include "vst2/DVstUtils.h"

namespace {

class BareEffect : public AudioEffectX {
public:
    explicit BareEffect(audioMasterCallback host) : AudioEffectX(host, 3, 5) {}
    void process(float**, float**, int32_t) override { ++processCalls; }
    void processReplacing(float**, float**, int32_t frames) override { lastFrames = frames; }
    void setParameter(int32_t index, float value) override {
        lastIndex = index;
        lastValue = value;
        ++setCalls;
    }
    float getParameter(int32_t index) override { return static_cast<float>(index) * 0.25f; }
    void close() override { ++closeCalls; }

    int processCalls = 0, lastFrames = -1, setCalls = 0, lastIndex = -1, closeCalls = 0;
    float lastValue = -1.0f;
};

TEST(AudioEffect, ConstructionFillsTheRecordWithTheBaseDefaults) {
    RecordingHost host;
    BareEffect effect(RecordingHost::callback);
    const AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->magic, makeFourCC('V', 's', 't', 'P'));
    EXPECT_EQ(e->numPrograms, 3);
    EXPECT_EQ(e->numParams, 5);
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, 0);
    EXPECT_EQ(e->resvd1, 0);
    EXPECT_EQ(e->resvd2, 0);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->object, &effect);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_EQ(e->uniqueID, 0x4E6F4566);  // "NoEf"
    EXPECT_EQ(e->version, 1);
    for (char c : e->future) EXPECT_EQ(c, 0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_EQ(effect.getProgram(), 0);
    EXPECT_EQ(effect.getEditor(), nullptr);
    EXPECT_TRUE(host.calls.empty()) << "the base constructor asks the host nothing";
}

TEST(AudioEffect, EachFlagSetterSetsAndClearsOnlyItsOwnBit) {
    BareEffect effect(nullptr);
    struct Setter {
        void (*apply)(BareEffect&, bool);
        int32_t bit;
    };
    const Setter setters[] = {
        {[](BareEffect& x, bool s) { x.hasClip(s); }, effFlagsHasClip},
        {[](BareEffect& x, bool s) { x.hasVu(s); }, effFlagsHasVu},
        {[](BareEffect& x, bool s) { x.canMono(s); }, effFlagsCanMono},
        {[](BareEffect& x, bool s) { x.canProcessReplacing(s); }, effFlagsCanReplacing},
        {[](BareEffect& x, bool s) { x.programsAreChunks(s); }, effFlagsProgramChunks},
        {[](BareEffect& x, bool s) { x.isSynth(s); }, effFlagsIsSynth},
        {[](BareEffect& x, bool s) { x.noTail(s); }, effFlagsNoSoundInStop},
        {[](BareEffect& x, bool s) { x.wantAsyncOperation(s); }, effFlagsExtIsAsync},
        {[](BareEffect& x, bool s) { x.hasExternalBuffer(s); }, effFlagsExtHasBuffer},
    };
    for (const Setter& setter : setters) {
        effect.getAeffect()->flags = 0x4000;  // an unrelated bit that must survive
        setter.apply(effect, true);
        EXPECT_EQ(effect.getAeffect()->flags, 0x4000 | setter.bit);
        setter.apply(effect, false);
        EXPECT_EQ(effect.getAeffect()->flags, 0x4000);
    }
}

TEST(AudioEffect, RecordSettersAndEditorInstallation) {
    BareEffect effect(nullptr);
    effect.setUniqueID(makeFourCC('Z', 'Q', '7', 'N'));
    effect.setNumInputs(2);
    effect.setNumOutputs(6);
    effect.setRealtimeQualities(3);
    effect.setOfflineQualities(4);
    effect.setInitialDelay(8192);
    const AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->uniqueID, 0x5A51374E);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 6);
    EXPECT_EQ(e->realQualities, 3);
    EXPECT_EQ(e->offQualities, 4);
    EXPECT_EQ(e->initialDelay, 8192);

    auto* editor = new AEffEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
    effect.setEditor(nullptr);
    delete editor;
    EXPECT_EQ(e->flags & effFlagsHasEditor, 0);
}

TEST(AudioEffect, EntryPointsReachTheObjectThroughTheRecord) {
    auto* effect = new BareEffect(nullptr);
    AEffect* e = effect->getAeffect();
    float left[4] = {}, right[4] = {};
    float* channels[2] = {left, right};

    e->process(e, channels, channels, 4);
    EXPECT_EQ(effect->processCalls, 1);
    e->processReplacing(e, channels, channels, 4);
    EXPECT_EQ(effect->lastFrames, 4);
    e->setParameter(e, 3, 0.75f);
    EXPECT_EQ(effect->lastIndex, 3);
    EXPECT_EQ(effect->lastValue, 0.75f);
    EXPECT_EQ(e->getParameter(e, 2), 0.5f);

    EXPECT_EQ(e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f), 0);
    // effClose runs close on the object, then destroys it and answers 1.
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(AudioEffect, SetParameterAutomatedAppliesTheValueBeforeTellingTheHost) {
    RecordingHost host;
    BareEffect effect(RecordingHost::callback);
    int setCallsSeenByHost = -1;
    host.onCall = [&](const HostCall&) { setCallsSeenByHost = effect.setCalls; };
    effect.setParameterAutomated(7, 0.25f);
    ASSERT_EQ(host.calls.size(), 1u);
    const HostCall& call = host.calls[0];
    EXPECT_EQ(call.effect, effect.getAeffect());
    EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_EQ(call.index, 7);
    EXPECT_EQ(call.value, 0);
    EXPECT_EQ(call.ptr, nullptr);
    EXPECT_EQ(call.opt, 0.25f);
    EXPECT_EQ(setCallsSeenByHost, 1) << "the value must be applied before the host hears of it";
    EXPECT_EQ(effect.lastValue, 0.25f);
}

}  // namespace
