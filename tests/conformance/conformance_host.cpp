// A host simulator: loads the plug-in library by its file name, calls its
// exported entry function with a recording host callback and checks the
// plug-in only through the effect record, exactly as a host does.
//
//   conformance_host LIBRARY [gtest options]
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"
#include "platform/system.h"
#include "support/MessageLog.h"
#include "support/RecordingHost.h"
#include "vst2/vst2.h"

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

// The editor's rectangle as a host asks for it around opening and closing.
// The host window is left to the plug-in's own choice (none given): the
// answers do not depend on a display.
TEST_F(Instance, EditorRectangleFollowsTheWindow) {
    auto rectangle = [this] {
        ERect* rect = nullptr;
        EXPECT_EQ(send(effect, effEditGetRect, 0, 0, &rect), 1);
        EXPECT_NE(rect, nullptr);
        return rect ? *rect : ERect{-1, -1, -1, -1};
    };
    ERect r = rectangle();
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, 0);
    EXPECT_EQ(r.right, 0);

    const size_t asked = host.count(audioMasterGetSampleRate);
    EXPECT_EQ(send(effect, effEditOpen), 1);
    EXPECT_GT(host.count(audioMasterGetSampleRate), asked);
    r = rectangle();
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, 341);
    EXPECT_EQ(r.right, 508);
    EXPECT_EQ(send(effect, effEditIdle), 0);

    // Two opens need two closes.
    EXPECT_EQ(send(effect, effEditOpen), 1);
    EXPECT_EQ(send(effect, effEditClose), 0);
    EXPECT_EQ(send(effect, effEditIdle), 0);
    EXPECT_EQ(send(effect, effEditClose), 0);
    r = rectangle();
    EXPECT_EQ(r.bottom, 341);
    EXPECT_EQ(r.right, 508);

    // Parameter changes after the close reach no window.
    effect->setParameter(effect, 0, 0.75f);
    EXPECT_EQ(send(effect, effEditIdle), 0);
    EXPECT_EQ(host.count(audioMasterAutomate), 0u);
}

TEST_F(Instance, SpeakerArrangementQueryAnswersNoArrangement) {
    int dummy = 0;
    void* input = &dummy;
    void* output = &dummy;
    EXPECT_EQ(
        send(effect, effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
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
    for (const char* capability :
         {"receiveVstEvents", "receiveVstMidiEvent", "sendVstEvents", "plugAsChannelInsert",
          "bypass", "noRealTime", "offline", "2in2out", "anything at all"}) {
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

TEST_F(Instance, ParametersAreClampedNamedAndLabelled) {
    effect->setParameter(effect, 0, 1.5f);
    EXPECT_EQ(effect->getParameter(effect, 0), 1.0f);
    effect->setParameter(effect, 0, -0.2f);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.0f);
    effect->setParameter(effect, 1, std::nanf(""));
    EXPECT_EQ(effect->getParameter(effect, 1), 0.0f);
    effect->setParameter(effect, 6, 0.0001f);
    EXPECT_EQ(effect->getParameter(effect, 6), 0.0001f) << "switches keep the raw value";

    const char* names[] = {"Center",      "Width",     "Spread",  "Zindra Mix",
                           "Humidity",    "Hi-Res",    "Bypass",  "Zindra-cate!",
                           "Stereolize!", "Pass Thru", "Isolate", "Spreadilate!"};
    for (int32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(text(effGetParamName, i), names[i]);
        EXPECT_EQ(text(effGetParamLabel, i), "%");
    }
    EXPECT_EQ(text(effGetParamName, 12), "undefined");
    EXPECT_EQ(text(effGetParamDisplay, 12), "undefined");
    EXPECT_EQ(text(effGetParamLabel, 12), "%");
    for (int32_t opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel})
        EXPECT_EQ(send(effect, opcode, 0, 0, nullptr), 0) << "no buffer, no text";
}

// Audio as hosts send it: the settings just before the first block, then
// blocks from sample 0, all of the same size.
class Audio : public Instance {
protected:
    struct Stereo {
        std::vector<float> left, right;
    };

    void start(int32_t program, int32_t blockSize) {
        send(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        send(effect, effSetBlockSize, 0, blockSize);
        send(effect, effMainsChanged, 0, 1);
        send(effect, effSetProgram, 0, program);  // "Hi-Res" asks for an engine reset
    }
    Stereo play(const Stereo& input, int32_t blockSize, bool replacing) {
        Stereo output{std::vector<float>(input.left.size(), 0.0f),
                      std::vector<float>(input.left.size(), 0.0f)};
        for (size_t at = 0; at < input.left.size(); at += static_cast<size_t>(blockSize)) {
            const auto n = static_cast<int32_t>(
                std::min(input.left.size() - at, static_cast<size_t>(blockSize)));
            float* in[2] = {const_cast<float*>(input.left.data() + at),
                            const_cast<float*>(input.right.data() + at)};
            float* out[2] = {output.left.data() + at, output.right.data() + at};
            if (replacing)
                effect->processReplacing(effect, in, out, n);
            else
                effect->process(effect, in, out, n);
        }
        return output;
    }
    static Stereo noise(size_t n, bool identical) {
        Stereo s{std::vector<float>(n), std::vector<float>(n)};
        uint32_t state = 1;
        const auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return static_cast<float>(static_cast<int32_t>(state)) / 4294967296.0f;
        };
        for (size_t i = 0; i < n; ++i) {
            s.left[i] = next();
            s.right[i] = identical ? s.left[i] : next();
        }
        return s;
    }
    static double energy(const std::vector<float>& x, size_t from, size_t to) {
        double e = 0.0;
        for (size_t i = from; i < to; ++i) e += static_cast<double>(x[i]) * x[i];
        return e;
    }
};

// The program change asks for an engine reset; the block that carries it out
// is processed too, so the first input samples come out exactly 8192 samples
// later, with either frame size, in blocks of 8192 and of 64.
TEST_F(Audio, TheFirstBlockAfterAProgramChangeIsHeard) {
    for (int32_t program : {0, 5}) {
        for (int32_t block : {8192, 64}) {
            for (bool replacing : {true, false}) {
                const std::string what = "program " + std::to_string(program) + ", blocks of " +
                                         std::to_string(block) + (replacing ? "" : ", adding");
                start(program, block);
                effect->setParameter(effect, 4, 0.0f);  // "Humidity": the dry path only
                Stereo input{std::vector<float>(3 * 8192, 0.0f),
                             std::vector<float>(3 * 8192, 0.0f)};
                input.left[0] = 1.0f;
                input.right[0] = -0.5f;
                input.left[1000] = 0.25f;
                const Stereo output = play(input, block, replacing);
                EXPECT_NEAR(output.left[8192], 1.0f, 1e-6f) << what;
                EXPECT_NEAR(output.right[8192], -0.5f, 1e-6f) << what;
                EXPECT_NEAR(output.left[9192], 0.25f, 1e-6f) << what;
                EXPECT_LT(energy(output.left, 0, 8192), 1e-30) << what;
            }
        }
    }
}

// "Spread" 0 with "Spreadilate!" selects the bins whose left and right
// magnitudes are equal: for identical channels every bin. Without
// "Zindra-cate!" they are all removed, with it all kept. Programs 1 and 6
// ("Vocal Out - Mode 2", with "Pass Thru") at both frame sizes.
TEST_F(Audio, SpreadZeroFindsEveryBinOfIdenticalChannels) {
    const Stereo input = noise(6 * 8192, true);
    const size_t from = 2 * 8192;  // frames wholly of input
    const size_t to = input.left.size();
    const double inputEnergy = energy(input.left, from - 8192, to - 8192);
    for (int32_t program : {1, 6}) {
        for (bool keep : {false, true}) {
            start(program, 512);
            effect->setParameter(effect, 2, 0.0f);                // "Spread"
            effect->setParameter(effect, 7, keep ? 1.0f : 0.0f);  // "Zindra-cate!"
            const Stereo output = play(input, 512, true);
            const std::string what = "program " + std::to_string(program) +
                                     (keep ? " keeping the centre" : " removing the centre");
            if (!keep) {
                EXPECT_LT(energy(output.left, from, to), inputEnergy * 1e-10) << what;
                EXPECT_LT(energy(output.right, from, to), inputEnergy * 1e-10) << what;
                continue;
            }
            double error = 0.0;
            for (size_t i = from; i < to; ++i) {
                const double d = output.left[i] - input.left[i - 8192];
                error += d * d;
            }
            EXPECT_LT(error, inputEnergy * 1e-6) << what;
        }
    }
}

class Display : public Instance {
protected:
    void TearDown() override {
        platform::setEnvironmentVariable("LC_ALL", "");
        Instance::TearDown();
    }
};

TEST_F(Display, TwoDecimalsWithAPoint) {
    platform::setEnvironmentVariable("LC_ALL", "C");
    if (platform::userDecimalSeparator() != ".") GTEST_SKIP() << "the user's locale is fixed here";
    EXPECT_EQ(text(effGetParamDisplay, 0), "0.22");
    EXPECT_EQ(text(effGetParamDisplay, 2), "0.10");
    EXPECT_EQ(text(effGetParamDisplay, 3), "1.00");
    EXPECT_EQ(text(effGetParamDisplay, 6), "0.00");
}

TEST_F(Display, TheUsersCommaSeparator) {
    platform::setEnvironmentVariable("LC_ALL", "de_DE.UTF-8");
    if (platform::userDecimalSeparator() != ",")
        GTEST_SKIP() << "no locale with a decimal comma can be selected here";
    EXPECT_EQ(text(effGetParamDisplay, 0), "0,22");
    EXPECT_EQ(text(effGetParamDisplay, 4), "1,00");
}

TEST_F(Instance, ProgramsAreListedSwitchedAndRenamed) {
    EXPECT_EQ(text(effGetProgramName), "Vocal Out - Mode 1");
    EXPECT_EQ(effect->getParameter(effect, 0), 0.215f);
    char buffer[64] = {};
    EXPECT_EQ(send(effect, effGetProgramNameIndexed, 9, 0, buffer), 1);
    EXPECT_STREQ(buffer, "Isolate Vocal (HR)");
    EXPECT_EQ(send(effect, effGetProgramNameIndexed, 10, 0, buffer), 0);

    effect->setParameter(effect, 0, 0.7f);
    send(effect, effSetProgram, 0, 4);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.3875f);
    EXPECT_EQ(effect->getParameter(effect, 7), 1.0f);
    char name[] = "Mine";
    send(effect, effSetProgramName, 0, 0, name);
    send(effect, effSetProgram, 0, 0);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.7f) << "the edit, not the factory value";
    std::memset(buffer, 0, sizeof buffer);
    EXPECT_EQ(send(effect, effGetProgramNameIndexed, 4, 0, buffer), 1);
    EXPECT_STREQ(buffer, "Mine");
}

TEST_F(Instance, LongProgramNamesFitTheHostsBuffer) {
    std::string name(50, 'w');
    send(effect, effSetProgramName, 0, 0, name.data());
    char buffer[kVstMaxProgNameLen + 8];
    std::memset(buffer, 'x', sizeof buffer);
    send(effect, effGetProgramName, 0, 0, buffer);
    EXPECT_EQ(std::string(buffer), std::string(kVstMaxProgNameLen - 1, 'w'));
    for (size_t i = kVstMaxProgNameLen; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'x') << i;
}

// Chunks as a host saves and restores them.
class Chunks : public Instance {
protected:
    std::vector<uint8_t> chunk(bool isPreset) {
        void* data = nullptr;
        const intptr_t size = send(effect, effGetChunk, isPreset ? 1 : 0, 0, &data);
        if (!data || size <= 0) return {};
        const auto* bytes = static_cast<const uint8_t*>(data);
        return std::vector<uint8_t>(bytes, bytes + size);
    }
    intptr_t load(std::vector<uint8_t> bytes, bool isPreset) {
        return send(effect, effSetChunk, isPreset ? 1 : 0, static_cast<intptr_t>(bytes.size()),
                    bytes.data());
    }
    std::vector<float> values() {
        std::vector<float> all;
        for (int32_t i = 0; i < 12; ++i) all.push_back(effect->getParameter(effect, i));
        return all;
    }
    static void putFloat(std::vector<uint8_t>& bytes, size_t at, float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        if (bytes.size() < at + 4) throw std::out_of_range("putFloat beyond the chunk");
        for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<uint8_t>(bits >> (8 * b));
    }

    MessageLog log;
};

TEST_F(Chunks, ANewInstanceWritesItsPresetAndBank) {
    const std::vector<uint8_t> preset = chunk(true);
    ASSERT_EQ(preset.size(), 364u);
    const uint8_t header[8] = {0x4E, 0x37, 0x51, 0x5A, 4, 0, 0, 0};
    EXPECT_EQ(std::memcmp(preset.data(), header, 8), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(preset.data()) + 56), "Vocal Out - Mode 1");
    for (size_t b = 56 + 18; b < 364; ++b) EXPECT_EQ(preset[b], 0) << b;

    const std::vector<uint8_t> bank = chunk(false);
    ASSERT_EQ(bank.size(), 3648u);
    EXPECT_EQ(std::memcmp(bank.data(), header, 8), 0);
    for (size_t b = 8; b < 16; ++b) EXPECT_EQ(bank[b], 0) << b;
    EXPECT_EQ(std::memcmp(bank.data() + 16, preset.data() + 8, 48 + 51 + 256), 0);
    EXPECT_EQ(send(effect, effGetChunk, 1, 0, nullptr), 0) << "no place for the address";
}

TEST_F(Chunks, SavedStateComesBack) {
    send(effect, effSetProgram, 0, 2);
    effect->setParameter(effect, 3, 0.5f);
    const std::vector<uint8_t> preset = chunk(true);
    const std::vector<uint8_t> bank = chunk(false);
    const std::vector<float> saved = values();
    EXPECT_EQ(load(preset, true), 1);
    EXPECT_EQ(values(), saved);
    EXPECT_EQ(load(bank, false), 1);
    EXPECT_EQ(values(), saved);
    EXPECT_EQ(send(effect, effGetProgram), 2);

    effect->setParameter(effect, 3, 0.1f);
    EXPECT_EQ(load(preset, true), 1);
    EXPECT_EQ(effect->getParameter(effect, 3), 0.5f);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(Chunks, ABankValueOutOfRangeIsClampedWhenItsProgramIsChosen) {
    std::vector<uint8_t> bank = chunk(false);
    putFloat(bank, 16 + 364 * 2 + 4, 5.0f);
    EXPECT_EQ(load(bank, false), 1);
    send(effect, effSetProgram, 0, 2);
    EXPECT_EQ(effect->getParameter(effect, 1), 1.0f);
}

TEST_F(Chunks, InvalidChunksAreReportedAndChangeNothing) {
    effect->setParameter(effect, 0, 0.42f);
    const std::vector<uint8_t> preset = chunk(true);
    const std::vector<uint8_t> bank = chunk(false);
    const std::vector<float> saved = values();

    std::vector<uint8_t> reversed = preset;
    std::swap(reversed[0], reversed[3]);
    std::swap(reversed[1], reversed[2]);
    std::vector<uint8_t> version3 = preset;
    version3[4] = 3;
    version3.resize(20);
    const std::vector<uint8_t> seven(preset.begin(), preset.begin() + 7);

    EXPECT_EQ(load(seven, true), 1);
    EXPECT_EQ(load(seven, false), 1);
    EXPECT_EQ(send(effect, effSetChunk, 1, 364, nullptr), 1);
    EXPECT_EQ(load(reversed, true), 1);
    EXPECT_EQ(load(version3, true), 1);
    EXPECT_EQ(load(bank, true), 1);
    EXPECT_EQ(load(preset, false), 1);

    const std::vector<std::string> expected = {
        "E1 - Not a valid Zindra preset.",      "E1 - Not a valid Zindra preset.",
        "E1 - Not a valid Zindra preset.",      "E2 - Not a valid Zindra preset.",
        "E3 - Wrong version of Zindra preset.", "E4 - Not a valid Zindra preset.",
        "E5 - Not a valid Zindra bank."};
    EXPECT_EQ(log.lines(), expected);
    EXPECT_EQ(values(), saved);
    EXPECT_EQ(chunk(true), preset);
    EXPECT_EQ(chunk(false), bank);
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
