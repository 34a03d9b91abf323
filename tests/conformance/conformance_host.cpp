// A host simulator: loads the plug-in library by its file name, calls its
// exported entry function with a recording host callback and checks the
// plug-in only through the effect record, exactly as a host does.
//
//   conformance_host LIBRARY [gtest options]
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "host/vst2.h"
#include "platform/dynamic_library.h"
#include "support/RecordingHost.h"

namespace {

std::string libraryPath;
std::unique_ptr<platform::DynamicLibrary> library;

VstEntryProc entry() {
    if (!library) library = std::make_unique<platform::DynamicLibrary>(libraryPath);
    return reinterpret_cast<VstEntryProc>(library->symbol("main"));
}

intptr_t send(AEffect* e, int32_t opcode, int32_t index = 0, intptr_t value = 0,
              void* ptr = nullptr, float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// One plug-in instance as a host holds it; closed with effClose at the end.
class Instance : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(entry(), nullptr) << "cannot load " << libraryPath << ": " << library->error();
        host.answers[audioMasterGetSampleRate] = 44100;
        effect = entry()(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect) {
            EXPECT_EQ(send(effect, effClose), 1);
        }
    }
    std::string text(int32_t opcode, int32_t index = 0) {
        char buffer[256];
        std::memset(buffer, 0, sizeof buffer);
        send(effect, opcode, index, 0, buffer);
        return buffer;
    }

    RecordingHost host;
    AEffect* effect = nullptr;
};

// Loading.

TEST(EntryPoint, TheLibraryExportsMain) {
    ASSERT_NE(entry(), nullptr) << "cannot load " << libraryPath << ": " << library->error();
}

TEST(EntryPoint, AHostOfVersionZeroGetsNothing) {
    ASSERT_NE(entry(), nullptr);
    RecordingHost host;
    host.answers[audioMasterVersion] = 0;
    EXPECT_EQ(entry()(RecordingHost::callback), nullptr);
    ASSERT_EQ(host.calls.size(), 1u) << "only the version may be asked, nothing is built";
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
}

TEST(EntryPoint, WithoutAHostCallbackNothingIsBuilt) {
    ASSERT_NE(entry(), nullptr);
    EXPECT_EQ(entry()(nullptr), nullptr);
}

TEST(EntryPoint, AsksTheVersionFirstThenTheSampleRateForTheNewRecord) {
    ASSERT_NE(entry(), nullptr);
    RecordingHost host;
    host.answers[audioMasterGetSampleRate] = 48000;
    AEffect* effect = entry()(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    ASSERT_GE(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls[0].effect, nullptr);
    EXPECT_EQ(host.calls[0].index, 0);
    EXPECT_EQ(host.calls[0].value, 0);
    EXPECT_EQ(host.calls[0].ptr, nullptr);
    EXPECT_EQ(host.calls[0].opt, 0.0f);
    EXPECT_EQ(host.calls[1].opcode, audioMasterGetSampleRate);
    EXPECT_EQ(host.calls[1].effect, effect) << "asked for this record before main returned";
    EXPECT_EQ(host.count(audioMasterGetSampleRate), 1u);
    EXPECT_EQ(send(effect, effClose), 1);
}

TEST(EntryPoint, EachCallBuildsAnIndependentEffect) {
    ASSERT_NE(entry(), nullptr);
    RecordingHost host;
    AEffect* first = entry()(RecordingHost::callback);
    AEffect* second = entry()(RecordingHost::callback);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->object, second->object);
    EXPECT_NE(first->object, nullptr);
    EXPECT_NE(static_cast<void*>(first), first->object) << "object is the effect, not the record";
    send(first, effSetProgram, 0, 3);
    EXPECT_EQ(send(second, effGetProgram), 0) << "instances share no state";
    EXPECT_EQ(send(first, effClose), 1);
    EXPECT_EQ(send(second, effGetProgram), 0) << "closing one leaves the other working";
    EXPECT_EQ(send(second, effClose), 1);
}

// The record.

TEST_F(Instance, TheRecordDescribesTheEffect) {
    EXPECT_EQ(effect->magic, 0x56737450);
    EXPECT_NE(effect->dispatcher, nullptr);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->setParameter, nullptr);
    EXPECT_NE(effect->getParameter, nullptr);
    EXPECT_EQ(effect->numPrograms, 10);
    EXPECT_EQ(effect->numParams, 12);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, 0x39);
    EXPECT_EQ(effect->resvd1, 0);
    EXPECT_EQ(effect->resvd2, 0);
    EXPECT_EQ(effect->initialDelay, 8192);
    EXPECT_EQ(effect->realQualities, 0);
    EXPECT_EQ(effect->offQualities, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->user, nullptr);
    EXPECT_EQ(effect->uniqueID, 0x5A51374E);
    EXPECT_EQ(effect->version, 1);
    for (char c : effect->future) EXPECT_EQ(c, 0);
}

TEST_F(Instance, OpenAndCloseAnswerAsAHostExpects) {
    EXPECT_EQ(send(effect, effOpen), 0);
    EXPECT_EQ(send(effect, effClose), 1);
    effect = nullptr;  // the record is gone
}

// The dispatcher.

TEST_F(Instance, ProgramSelectionChecksOnlyTheUpperBound) {
    EXPECT_EQ(send(effect, effGetProgram), 0);
    EXPECT_EQ(send(effect, effSetProgram, 0, 10), 0);
    EXPECT_EQ(send(effect, effGetProgram), 0);
    EXPECT_EQ(send(effect, effSetProgram, 0, -1), 0);
    EXPECT_GE(send(effect, effGetProgram), -1) << "a negative program is the effect's to ignore";
    EXPECT_EQ(send(effect, effSetProgram, 0, 4), 0);
    EXPECT_EQ(send(effect, effGetProgram), 4);
}

TEST_F(Instance, FixedAnswers) {
    EXPECT_EQ(send(effect, effMainsChanged, 0, 0), 0);
    EXPECT_EQ(send(effect, effMainsChanged, 0, 2), 0);
    EXPECT_EQ(send(effect, effGetVu), 0);
    EXPECT_EQ(send(effect, effKeysRequired), 1);
    EXPECT_EQ(send(effect, effConnectInput, 0, 1), 1);
    EXPECT_EQ(send(effect, effConnectInput, 7, 0), 1);
    EXPECT_EQ(send(effect, effConnectOutput, 1, 0), 1);
    EXPECT_EQ(send(effect, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(send(effect, effSetTotalSampleToProcess, 0, 12345), 12345);
    EXPECT_EQ(send(effect, effIdentify), 0x4E764566);
    EXPECT_EQ(send(effect, effGetPlugCategory), 0);
    EXPECT_EQ(send(effect, effGetVstVersion), 2300);
    EXPECT_EQ(send(effect, effCanBeAutomated, 0), 1);
    EXPECT_EQ(send(effect, effCanBeAutomated, 11), 1);
    EXPECT_EQ(send(effect, effGetTailSize), 0);
    EXPECT_EQ(send(effect, effSetBypass, 0, 1), 0);
    EXPECT_EQ(send(effect, effGetNumProgramCategories), 1);
    EXPECT_EQ(send(effect, effGetCurrentMidiProgram), -1);
    EXPECT_EQ(send(effect, effSetSampleRate, 0, 0, nullptr, 96000.0f), 0);
    EXPECT_EQ(send(effect, effSetBlockSize, 0, 64), 0);
}

TEST_F(Instance, UnknownOpcodesAnswerZeroAndChangeNothing) {
    for (int32_t opcode : {16, 17, 18, 20, 21, 77, 78, 100, 0x7FFFFFFF, -1, -2, INT32_MIN})
        EXPECT_EQ(send(effect, opcode, 1, 1, nullptr, 1.0f), 0) << "opcode " << opcode;
    EXPECT_EQ(effect->flags, 0x39);
    EXPECT_EQ(effect->initialDelay, 8192);
    EXPECT_EQ(send(effect, effGetProgram), 0);
}

TEST_F(Instance, EditorRequestsReachTheEditorObject) {
    ASSERT_TRUE(effect->flags & effFlagsHasEditor);
    EXPECT_EQ(send(effect, effEditKeyDown, 'a', 65, nullptr, 0.0f), -1);
    EXPECT_EQ(send(effect, effEditKeyUp, 'a', 65, nullptr, 0.0f), -1);
    EXPECT_EQ(send(effect, effSetEditKnobMode, 0, 2), 0);
    EXPECT_EQ(send(effect, effEditIdle), 0);
    EXPECT_EQ(send(effect, effEditClose), 0);
    EXPECT_EQ(send(effect, effEditGetRect, 0, 0, nullptr), 0) << "no place for the answer";
}

TEST_F(Instance, SpeakerArrangementQueryAnswersNoArrangement) {
    int dummy = 0;
    void* input = &dummy;
    void* output = &dummy;
    EXPECT_EQ(send(effect, effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

// Identity and capabilities.

TEST_F(Instance, NamesVendorAndVersion) {
    EXPECT_EQ(send(effect, effGetEffectName, 0, 0, nullptr), 0) << "no buffer, no text";
    EXPECT_EQ(text(effGetEffectName), "Zindra");
    EXPECT_EQ(text(effGetProductString), "Zindra");
    EXPECT_EQ(text(effGetVendorString), "Corvanti");
    char buffer[64];
    EXPECT_EQ(send(effect, effGetEffectName, 0, 0, buffer), 1);
    EXPECT_EQ(send(effect, effGetVendorString, 0, 0, buffer), 1);
    EXPECT_EQ(send(effect, effGetProductString, 0, 0, buffer), 1);
    EXPECT_EQ(send(effect, effGetVendorVersion), 1);
}

TEST_F(Instance, PinsAreStereoPairs) {
    const char* inputs[] = {"Input #1", "Input #2"};
    const char* outputs[] = {"Output #1", "Output #2"};
    for (int32_t i = 0; i < 2; ++i) {
        VstPinProperties pin;
        std::memset(&pin, 0, sizeof pin);
        EXPECT_EQ(send(effect, effGetInputProperties, i, 0, &pin), 1);
        EXPECT_STREQ(pin.label, inputs[i]);
        EXPECT_EQ(pin.flags, 3);
        std::memset(&pin, 0, sizeof pin);
        EXPECT_EQ(send(effect, effGetOutputProperties, i, 0, &pin), 1);
        EXPECT_STREQ(pin.label, outputs[i]);
        EXPECT_EQ(pin.flags, 3);
    }
    VstPinProperties pin;
    std::memset(&pin, 0x41, sizeof pin);
    const VstPinProperties before = pin;
    EXPECT_EQ(send(effect, effGetOutputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(send(effect, effGetInputProperties, -1, 0, &pin), 0);
    EXPECT_EQ(std::memcmp(&pin, &before, sizeof pin), 0) << "a refused pin query writes nothing";
    EXPECT_EQ(send(effect, effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Instance, ClaimsNoCapability) {
    char empty[] = "";
    for (const char* capability : {"receiveVstEvents", "receiveVstMidiEvent", "sendVstEvents",
                                   "plugAsChannelInsert", "bypass", "noRealTime", "offline",
                                   "2in2out", "anything at all"}) {
        char copy[64];
        std::strcpy(copy, capability);
        EXPECT_EQ(send(effect, effCanDo, 0, 0, copy), -1) << capability;
    }
    EXPECT_EQ(send(effect, effCanDo, 0, 0, empty), -1);
    EXPECT_EQ(send(effect, effCanDo, 0, 0, nullptr), -1) << "the text is never read";
}

// Audio and parameters through the record's own entry points.

TEST_F(Instance, ProcessingAcceptsEmptyAndOddBlocks) {
    float left[7] = {1, 2, 3, 4, 5, 6, 7}, right[7] = {};
    float* in[2] = {left, right};
    float* out[2] = {left, right};
    effect->processReplacing(effect, in, out, 0);
    effect->processReplacing(effect, in, out, 7);
    effect->process(effect, in, out, 7);
    for (float x : left) EXPECT_TRUE(x == x) << "no NaN from in-place processing";
}

TEST_F(Instance, ParameterEntryPointsIgnoreOutOfRangeIndices) {
    effect->setParameter(effect, -1, 0.5f);
    effect->setParameter(effect, 12, 0.5f);
    EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
    EXPECT_EQ(effect->getParameter(effect, 12), 0.0f);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: conformance_host LIBRARY [gtest options]\n");
        return 2;
    }
    libraryPath = argv[1];
    // A bare file name means the working folder, as for a host given a path.
    if (libraryPath.find_first_of("/\\") == std::string::npos) libraryPath = "./" + libraryPath;
    return RUN_ALL_TESTS();
}
