// A host simulator: loads the plug-in library by its file name, calls its
// exported entry function with a recording host callback and checks the
// plug-in only through the effect record, exactly as a host does. What the
// effect must show comes from its description (ExpectedEffect.h); each
// effect's own behaviour is in own_behaviour_test.cpp.
//
//   conformance_host LIBRARY EFFECT [gtest options]
//   EFFECT: zindra or zindra_deep
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "conformance/HostedEffect.h"
#include "support/MessageLog.h"

namespace {

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
    EXPECT_EQ(effect->numPrograms, expected().numPrograms);
    EXPECT_EQ(effect->numParams, expected().numParams);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, expected().flags);
    EXPECT_EQ(effect->resvd1, 0);
    EXPECT_EQ(effect->resvd2, 0);
    EXPECT_EQ(effect->initialDelay, expected().latency);
    EXPECT_EQ(effect->realQualities, 0);
    EXPECT_EQ(effect->offQualities, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->user, nullptr);
    EXPECT_EQ(effect->uniqueID, expected().uniqueId);
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
    EXPECT_EQ(send(effect, effSetProgram, 0, expected().numPrograms), 0);
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
    EXPECT_EQ(send(effect, effCanBeAutomated, expected().numParams - 1), 1);
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
    EXPECT_EQ(effect->flags, expected().flags);
    EXPECT_EQ(effect->initialDelay, expected().latency);
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
    if (expected().editorAsksTheSampleRate)
        EXPECT_GT(host.count(audioMasterGetSampleRate), asked);
    else
        EXPECT_EQ(host.count(audioMasterGetSampleRate), asked);
    r = rectangle();
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, expected().editorHeight);
    EXPECT_EQ(r.right, expected().editorWidth);
    EXPECT_EQ(send(effect, effEditIdle), 0);

    // Two opens need two closes.
    EXPECT_EQ(send(effect, effEditOpen), 1);
    EXPECT_EQ(send(effect, effEditClose), 0);
    EXPECT_EQ(send(effect, effEditIdle), 0);
    EXPECT_EQ(send(effect, effEditClose), 0);
    r = rectangle();
    EXPECT_EQ(r.bottom, expected().editorHeight);
    EXPECT_EQ(r.right, expected().editorWidth);

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
    const core::EffectIdentity& identity = expected().identity;
    EXPECT_EQ(send(effect, effGetEffectName, 0, 0, nullptr), 0) << "no buffer, no text";
    EXPECT_EQ(text(effGetEffectName), identity.effectName);
    EXPECT_EQ(text(effGetProductString), identity.productName);
    EXPECT_EQ(text(effGetVendorString), identity.vendorName);
    char buffer[64];
    EXPECT_EQ(send(effect, effGetEffectName, 0, 0, buffer), 1);
    EXPECT_EQ(send(effect, effGetVendorString, 0, 0, buffer), 1);
    EXPECT_EQ(send(effect, effGetProductString, 0, 0, buffer), 1);
    EXPECT_EQ(send(effect, effGetVendorVersion), identity.vendorVersion);
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
    const int32_t beyond = expected().numParams;
    effect->setParameter(effect, -1, 0.5f);
    effect->setParameter(effect, beyond, 0.5f);
    EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
    EXPECT_EQ(effect->getParameter(effect, beyond), 0.0f);
}

TEST_F(Instance, ParametersAreClampedNamedAndLabelled) {
    effect->setParameter(effect, 0, 1.5f);
    EXPECT_EQ(effect->getParameter(effect, 0), 1.0f);
    effect->setParameter(effect, 0, -0.2f);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.0f);
    effect->setParameter(effect, 1, std::nanf(""));
    EXPECT_EQ(effect->getParameter(effect, 1), 0.0f);

    const core::ParameterTable table = expected().parameters;
    for (int32_t i = 0; i < expected().numParams; ++i) {
        EXPECT_EQ(text(effGetParamName, i), table[i].name);
        EXPECT_EQ(text(effGetParamLabel, i), table[i].label);
        if (!table[i].isSwitch()) continue;
        effect->setParameter(effect, i, 0.0001f);
        EXPECT_EQ(effect->getParameter(effect, i), 0.0001f)
            << table[i].name << ": switches keep the raw value";
    }
    const int32_t beyond = expected().numParams;
    EXPECT_EQ(text(effGetParamName, beyond), "undefined");
    EXPECT_EQ(text(effGetParamDisplay, beyond), "undefined");
    EXPECT_EQ(text(effGetParamLabel, beyond), table[0].label) << "the first row's label";
    for (int32_t opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel})
        EXPECT_EQ(send(effect, opcode, 0, 0, nullptr), 0) << "no buffer, no text";
}

// The program change (Zindra's "Hi-Res" asks for an engine reset) comes just
// before the first block; that block is processed too, so with the dry
// setting the first input samples come out exactly the latency later, in
// blocks of 8192 and of 64 (for Zindra with either frame size).
TEST_F(Audio, TheFirstBlockAfterAProgramChangeIsHeard) {
    const ExpectedEffect& e = expected();
    const auto latency = static_cast<size_t>(e.latency);
    for (int32_t program : e.dryPrograms) {
        for (int32_t block : {8192, 64}) {
            for (bool replacing : {true, false}) {
                const std::string what = "program " + std::to_string(program) + ", blocks of " +
                                         std::to_string(block) + (replacing ? "" : ", adding");
                start(program, block);
                effect->setParameter(effect, e.dryParameter, 0.0f);
                Stereo input{std::vector<float>(3 * 8192, 0.0f),
                             std::vector<float>(3 * 8192, 0.0f)};
                input.left[0] = 1.0f;
                input.right[0] = -0.5f;
                input.left[1000] = 0.25f;
                const Stereo output = play(input, block, replacing);
                EXPECT_NEAR(output.left[latency], 1.0f, 1e-6f) << what;
                EXPECT_NEAR(output.right[latency], -0.5f, 1e-6f) << what;
                EXPECT_NEAR(output.left[latency + 1000], 0.25f, 1e-6f) << what;
                EXPECT_LT(energy(output.left, 0, latency), e.leadingEnergy) << what;
            }
        }
    }
}

// Programs.

TEST_F(Instance, ProgramsAreListedSwitchedAndRenamed) {
    const std::span<const ExpectedProgram> programs = expected().programs;
    const int32_t count = expected().numPrograms;
    EXPECT_EQ(text(effGetProgramName), programs[0].name);
    char buffer[64] = {};
    for (int32_t p = 0; p < count; ++p) {
        EXPECT_EQ(send(effect, effGetProgramNameIndexed, p, 0, buffer), 1);
        EXPECT_STREQ(buffer, programs[p].name);
    }
    EXPECT_EQ(send(effect, effGetProgramNameIndexed, count, 0, buffer), 0);
    for (int32_t p = count - 1; p >= 0; --p) {
        send(effect, effSetProgram, 0, p);
        EXPECT_EQ(text(effGetProgramName), programs[p].name);
        for (int32_t i = 0; i < expected().numParams; ++i)
            EXPECT_EQ(effect->getParameter(effect, i), programs[p].values[i])
                << "program " << p << ", parameter " << i;
    }

    effect->setParameter(effect, 0, 0.7f);
    send(effect, effSetProgram, 0, 4);
    EXPECT_EQ(effect->getParameter(effect, 0), programs[4].values[0]);
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

// Chunks as a host saves and restores them. A preset is the magic, the
// version and one entry: the values, the 51-byte name, the reserved block and
// a spare byte; a bank is the magic, the version and a preset-sized entry per
// program, of which the first 8 bytes are unused. Little-endian throughout.
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
        for (int32_t i = 0; i < expected().numParams; ++i)
            all.push_back(effect->getParameter(effect, i));
        return all;
    }
    static void putWord(std::vector<uint8_t>& bytes, size_t at, uint32_t bits) {
        if (bytes.size() < at + 4) throw std::out_of_range("putWord beyond the chunk");
        for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<uint8_t>(bits >> (8 * b));
    }
    static void putFloat(std::vector<uint8_t>& bytes, size_t at, float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        putWord(bytes, at, bits);
    }
    // Where an entry's values and name begin, from the start of the entry.
    static constexpr size_t kValuesAt = 8;
    static size_t nameAt() { return kValuesAt + 4 * static_cast<size_t>(expected().numParams); }

    MessageLog log;
};

TEST_F(Chunks, ANewInstanceWritesItsPresetAndBank) {
    const ExpectedEffect& e = expected();
    const std::vector<uint8_t> preset = chunk(true);
    ASSERT_EQ(preset.size(), e.presetSize);
    std::vector<uint8_t> header(8);
    putWord(header, 0, static_cast<uint32_t>(e.uniqueId));
    putWord(header, 4, e.stateVersion);
    EXPECT_EQ(std::memcmp(preset.data(), header.data(), 8), 0);
    std::vector<uint8_t> values(nameAt() - kValuesAt);
    for (size_t i = 0; i < e.programs[0].values.size(); ++i)
        putFloat(values, 4 * i, e.programs[0].values[i]);
    EXPECT_EQ(std::memcmp(preset.data() + kValuesAt, values.data(), values.size()), 0)
        << "the first program's values";
    const std::string name = e.programs[0].name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(preset.data()) + nameAt()), name);
    for (size_t b = nameAt() + name.size(); b < e.presetSize; ++b) EXPECT_EQ(preset[b], 0) << b;

    const std::vector<uint8_t> bank = chunk(false);
    ASSERT_EQ(bank.size(), e.bankSize);
    EXPECT_EQ(std::memcmp(bank.data(), header.data(), 8), 0);
    for (size_t b = 8; b < 16; ++b) EXPECT_EQ(bank[b], 0) << b;
    EXPECT_EQ(std::memcmp(bank.data() + 16, preset.data() + 8, e.presetSize - 9), 0);
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
    putFloat(bank, 8 + expected().presetSize * 2 + kValuesAt + 4, 5.0f);  // program 2, value 1
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
    std::vector<uint8_t> earlier = preset;
    earlier[4] = static_cast<uint8_t>(expected().stateVersion - 1);
    earlier.resize(20);
    const std::vector<uint8_t> seven(preset.begin(), preset.begin() + 7);

    EXPECT_EQ(load(seven, true), 1);
    EXPECT_EQ(load(seven, false), 1);
    EXPECT_EQ(send(effect, effSetChunk, 1, static_cast<intptr_t>(preset.size()), nullptr), 1);
    EXPECT_EQ(load(reversed, true), 1);
    EXPECT_EQ(load(earlier, true), 1);
    EXPECT_EQ(load(bank, true), 1);
    EXPECT_EQ(load(preset, false), 1);

    const std::span<const char* const> refusals = expected().refusals;
    const std::vector<std::string> reported = {refusals[0], refusals[0], refusals[0], refusals[1],
                                               refusals[2], refusals[3], refusals[4]};
    EXPECT_EQ(log.lines(), reported);
    EXPECT_EQ(values(), saved);
    EXPECT_EQ(chunk(true), preset);
    EXPECT_EQ(chunk(false), bank);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    expectedEffect = argc >= 3 ? findExpectedEffect(argv[2]) : nullptr;
    if (!expectedEffect) {
        std::fprintf(stderr,
                     "usage: conformance_host LIBRARY EFFECT [gtest options]\n"
                     "  EFFECT: zindra or zindra_deep\n");
        return 2;
    }
    libraryPath = argv[1];
    // A bare file name means the working folder, as for a host given a path.
    if (libraryPath.find_first_of("/\\") == std::string::npos) libraryPath = "./" + libraryPath;
    return RUN_ALL_TESTS();
}
