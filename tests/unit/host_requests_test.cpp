// Requests the effect makes of its host: opcodes, where each argument goes,
// how answers are read, and what every request yields without a host.
#include <gtest/gtest.h>

#include <functional>

#include "support/RecordingHost.h"
#include "vst2/DAudioEffectX.h"

namespace {

class Effect : public AudioEffectX {
public:
    explicit Effect(audioMasterCallback host) : AudioEffectX(host, 1, 1) {}
    void process(float**, float**, int32_t) override {}
};

struct Request {
    const char* name;
    std::function<intptr_t(Effect&)> send;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

char textBuffer[64];
int record;

std::vector<Request> requests() {
    void* p = &record;
    return {
        {"getTimeInfo", [](Effect& e) { return reinterpret_cast<intptr_t>(e.getTimeInfo(3)); },
         audioMasterGetTime, 0, 3, nullptr, 0},
        {"setTime",
         [p](Effect& e) {
             e.setTime(5, p);
             return intptr_t{0};
         },
         audioMasterSetTime, 0, 5, p, 0},
        {"tempoAt", [](Effect& e) { return intptr_t{e.tempoAt(99)}; }, audioMasterTempoAt, 0, 99,
         nullptr, 0},
        {"getNumAutomatableParameters",
         [](Effect& e) { return intptr_t{e.getNumAutomatableParameters()}; },
         audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0},
        {"getParameterQuantization",
         [](Effect& e) { return intptr_t{e.getParameterQuantization()}; },
         audioMasterGetParameterQuantization, 0, 0, nullptr, 0},
        {"ioChanged", [](Effect& e) { return intptr_t{e.ioChanged()}; }, audioMasterIOChanged, 0, 0,
         nullptr, 0},
        {"needIdle", [](Effect& e) { return intptr_t{e.needIdle()}; }, audioMasterNeedIdle, 0, 0,
         nullptr, 0},
        {"sizeWindow", [](Effect& e) { return intptr_t{e.sizeWindow(508, 341)}; },
         audioMasterSizeWindow, 508, 341, nullptr, 0},
        {"getInputLatency", [](Effect& e) { return intptr_t{e.getInputLatency()}; },
         audioMasterGetInputLatency, 0, 0, nullptr, 0},
        {"getOutputLatency", [](Effect& e) { return intptr_t{e.getOutputLatency()}; },
         audioMasterGetOutputLatency, 0, 0, nullptr, 0},
        {"getPreviousPlug",
         [](Effect& e) { return reinterpret_cast<intptr_t>(e.getPreviousPlug(0)); },
         audioMasterGetPreviousPlug, 0, 0, nullptr, 0},
        {"getNextPlug", [](Effect& e) { return reinterpret_cast<intptr_t>(e.getNextPlug(0)); },
         audioMasterGetNextPlug, 0, 0, nullptr, 0},
        {"willProcessReplacing", [](Effect& e) { return intptr_t{e.willProcessReplacing()}; },
         audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0},
        {"getCurrentProcessLevel", [](Effect& e) { return intptr_t{e.getCurrentProcessLevel()}; },
         audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0},
        {"getAutomationState", [](Effect& e) { return intptr_t{e.getAutomationState()}; },
         audioMasterGetAutomationState, 0, 0, nullptr, 0},
        {"offlineRead", [p](Effect& e) { return intptr_t{e.offlineRead(p, 7, true)}; },
         audioMasterOfflineRead, 1, 7, p, 0},
        {"offlineWrite", [p](Effect& e) { return intptr_t{e.offlineWrite(p, 8)}; },
         audioMasterOfflineWrite, 0, 8, p, 0},
        {"offlineStart", [p](Effect& e) { return intptr_t{e.offlineStart(p, 3, 2)}; },
         audioMasterOfflineStart, 2, 3, p, 0},
        {"offlineGetCurrentPass", [](Effect& e) { return intptr_t{e.offlineGetCurrentPass()}; },
         audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0},
        {"offlineGetCurrentMetaPass",
         [](Effect& e) { return intptr_t{e.offlineGetCurrentMetaPass()}; },
         audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0},
        {"setOutputSamplerate",
         [](Effect& e) {
             e.setOutputSamplerate(96000.0f);
             return intptr_t{0};
         },
         audioMasterSetOutputSampleRate, 0, 0, nullptr, 96000.0f},
        {"getInputSpeakerArrangement",
         [](Effect& e) { return reinterpret_cast<intptr_t>(e.getInputSpeakerArrangement()); },
         audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0},
        {"getOutputSpeakerArrangement",
         [](Effect& e) { return reinterpret_cast<intptr_t>(e.getOutputSpeakerArrangement()); },
         audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0},
        {"getHostVendorString",
         [](Effect& e) { return intptr_t{e.getHostVendorString(textBuffer)}; },
         audioMasterGetVendorString, 0, 0, textBuffer, 0},
        {"getHostProductString",
         [](Effect& e) { return intptr_t{e.getHostProductString(textBuffer)}; },
         audioMasterGetProductString, 0, 0, textBuffer, 0},
        {"getHostVendorVersion", [](Effect& e) { return intptr_t{e.getHostVendorVersion()}; },
         audioMasterGetVendorVersion, 0, 0, nullptr, 0},
        {"hostVendorSpecific", [p](Effect& e) { return e.hostVendorSpecific(4, 5, p, 6.0f); },
         audioMasterVendorSpecific, 4, 5, p, 6.0f},
        {"canHostDo", [](Effect& e) { return intptr_t{e.canHostDo(textBuffer)}; }, audioMasterCanDo,
         0, 0, textBuffer, 0},
        {"getHostLanguage", [](Effect& e) { return intptr_t{e.getHostLanguage()}; },
         audioMasterGetLanguage, 0, 0, nullptr, 0},
        {"openWindow", [p](Effect& e) { return reinterpret_cast<intptr_t>(e.openWindow(p)); },
         audioMasterOpenWindow, 0, 0, p, 0},
        {"closeWindow", [p](Effect& e) { return intptr_t{e.closeWindow(p)}; },
         audioMasterCloseWindow, 0, 0, p, 0},
        {"getDirectory", [](Effect& e) { return reinterpret_cast<intptr_t>(e.getDirectory()); },
         audioMasterGetDirectory, 0, 0, nullptr, 0},
        {"updateDisplay", [](Effect& e) { return intptr_t{e.updateDisplay()}; },
         audioMasterUpdateDisplay, 0, 0, nullptr, 0},
        {"beginEdit", [](Effect& e) { return intptr_t{e.beginEdit(9)}; }, audioMasterBeginEdit, 9,
         0, nullptr, 0},
        {"endEdit", [](Effect& e) { return intptr_t{e.endEdit(9)}; }, audioMasterEndEdit, 9, 0,
         nullptr, 0},
        {"openFileSelector", [p](Effect& e) { return intptr_t{e.openFileSelector(p)}; },
         audioMasterOpenFileSelector, 0, 0, p, 0},
        {"getCurrentUniqueId", [](Effect& e) { return intptr_t{e.getCurrentUniqueId()}; },
         audioMasterCurrentId, 0, 0, nullptr, 0},
        {"masterIdle",
         [](Effect& e) {
             e.masterIdle();
             return intptr_t{0};
         },
         audioMasterIdle, 0, 0, nullptr, 0},
        {"isInputConnected", [](Effect& e) { return intptr_t{e.isInputConnected(1)}; },
         audioMasterPinConnected, 1, 0, nullptr, 0},
        {"isOutputConnected", [](Effect& e) { return intptr_t{e.isOutputConnected(1)}; },
         audioMasterPinConnected, 1, 1, nullptr, 0},
    };
}

TEST(HostRequests, EachRequestPlacesItsArgumentsInTheRightOperands) {
    for (const Request& request : requests()) {
        RecordingHost host;
        Effect effect(RecordingHost::callback);
        request.send(effect);
        ASSERT_EQ(host.calls.size(), 1u) << request.name;
        const HostCall& call = host.calls[0];
        EXPECT_EQ(call.effect, effect.getAeffect()) << request.name;
        EXPECT_EQ(call.opcode, request.opcode) << request.name;
        EXPECT_EQ(call.index, request.index) << request.name;
        EXPECT_EQ(call.value, request.value) << request.name;
        EXPECT_EQ(call.ptr, request.ptr) << request.name;
        EXPECT_EQ(call.opt, request.opt) << request.name;
    }
}

TEST(HostRequests, WithoutAHostNothingIsSentAndDefaultsAreAnswered) {
    for (const Request& request : requests()) {
        Effect effect(nullptr);
        const intptr_t result = request.send(effect);
        const std::string name = request.name;
        // The host answers 0 for a connected pin, so no host means connected.
        const intptr_t expected = name == "isInputConnected" || name == "isOutputConnected" ? 1 : 0;
        EXPECT_EQ(result, expected) << name;
    }
    Effect effect(nullptr);
    EXPECT_EQ(effect.getMasterVersion(), 1);
    EXPECT_EQ(effect.updateSampleRate(), 44100.0f);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
}

TEST(HostRequests, BooleanAnswersAndPinConnectionAreRead) {
    RecordingHost host;
    Effect effect(RecordingHost::callback);
    host.answers[audioMasterNeedIdle] = 7;
    host.answers[audioMasterOfflineGetCurrentPass] = 5;
    host.answers[audioMasterPinConnected] = 0;
    EXPECT_TRUE(effect.needIdle());
    EXPECT_EQ(effect.offlineGetCurrentPass(), 1);
    EXPECT_TRUE(effect.isInputConnected(0)) << "0 from the host means connected";
    host.answers[audioMasterPinConnected] = 1;
    EXPECT_FALSE(effect.isOutputConnected(0));
}

TEST(HostRequests, MasterVersionZeroCountsAsOne) {
    RecordingHost host;
    Effect effect(RecordingHost::callback);
    host.answers[audioMasterVersion] = 0;
    EXPECT_EQ(effect.getMasterVersion(), 1);
    host.answers[audioMasterVersion] = 2400;
    EXPECT_EQ(effect.getMasterVersion(), 2400);
}

TEST(HostRequests, SampleRateAndBlockSizeAreAdoptedOnlyWhenPositive) {
    RecordingHost host;
    Effect effect(RecordingHost::callback);
    host.answers[audioMasterGetSampleRate] = 48000;
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
    host.answers[audioMasterGetSampleRate] = 0;
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
    host.answers[audioMasterGetSampleRate] = -44100;
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);

    host.answers[audioMasterGetBlockSize] = 256;
    EXPECT_EQ(effect.updateBlockSize(), 256);
    host.answers[audioMasterGetBlockSize] = 0;
    EXPECT_EQ(effect.updateBlockSize(), 256);
}

TEST(HostRequests, FileSelectorWithoutARecordIsNotSent) {
    RecordingHost host;
    Effect effect(RecordingHost::callback);
    host.answers[audioMasterOpenFileSelector] = 1;
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
