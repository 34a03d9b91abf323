// Both dispatchers: which operation each opcode reaches with which operands,
// how answers become results, and the fixed answers of the base classes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vst2/DAudioEffectX.h"
#include "vst2/DVstUtils.h"

namespace {

class DefaultEffect : public AudioEffectX {
public:
    DefaultEffect() : AudioEffectX(nullptr, 10, 12) {}
    void process(float**, float**, int32_t) override {}
    intptr_t send(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                  float opt = 0.0f) {
        return getAeffect()->dispatcher(getAeffect(), opcode, index, value, ptr, opt);
    }
};

// Records the operation each request reaches.
class SpyEffect : public DefaultEffect {
public:
    std::string log;
    float vu = 0.0f;
    void note(const std::string& what) { log += what + ";"; }

    void setProgram(int32_t p) override { note("setProgram " + std::to_string(p)); }
    void setProgramName(char* n) override { note(std::string("setProgramName ") + n); }
    void getParameterName(int32_t i, char* t) override {
        note("getParameterName " + std::to_string(i));
        std::strcpy(t, "Name");
    }
    float getVu() override { return vu; }
    void suspend() override { note("suspend"); }
    void resume() override { note("resume"); }
    int32_t getChunk(void** data, bool isPreset) override {
        static char chunk[4];
        *data = chunk;
        note(std::string("getChunk ") + (isPreset ? "preset" : "bank"));
        return 4;
    }
    int32_t setChunk(void*, int32_t size, bool isPreset) override {
        note("setChunk " + std::to_string(size) + (isPreset ? " preset" : " bank"));
        return 1;
    }
    bool getProgramNameIndexed(int32_t category, int32_t index, char*) override {
        note("getProgramNameIndexed " + std::to_string(category) + " " + std::to_string(index));
        return true;
    }
    void inputConnected(int32_t index, bool state) override {
        note("inputConnected " + std::to_string(index) + (state ? " on" : " off"));
    }
    bool keysRequired() override { return true; }
};

class KeyEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    int32_t onKeyDown(VstKeyCode& key) override {
        last = key;
        return 1;
    }
    int32_t setKnobMode(int32_t mode) override { return mode + 100; }
    VstKeyCode last{};
};

TEST(BaseDispatcher, ProgramRequestsCheckOnlyTheUpperBound) {
    SpyEffect effect;
    EXPECT_EQ(effect.send(effSetProgram, 0, 10), 0);
    EXPECT_EQ(effect.log, "") << "10 equals the program count and is refused";
    EXPECT_EQ(effect.send(effSetProgram, 0, 9), 0);
    EXPECT_EQ(effect.send(effSetProgram, 0, -1), 0);
    EXPECT_EQ(effect.log, "setProgram 9;setProgram -1;");

    DefaultEffect base;
    base.send(effSetProgram, 0, 4);
    EXPECT_EQ(base.send(effGetProgram), 4);
}

TEST(BaseDispatcher, TextAndStateRequestsReachTheirOperations) {
    SpyEffect effect;
    char name[] = "Lead";
    EXPECT_EQ(effect.send(effSetProgramName, 0, 0, name), 0);
    char text[32] = {};
    EXPECT_EQ(effect.send(effGetParamName, 5, 0, text), 0);
    EXPECT_STREQ(text, "Name");
    EXPECT_EQ(effect.send(effMainsChanged, 0, 0), 0);
    EXPECT_EQ(effect.send(effMainsChanged, 0, 2), 0);
    EXPECT_EQ(effect.log, "setProgramName Lead;getParameterName 5;suspend;resume;");
}

TEST(BaseDispatcher, VuIsScaledAndRoundedHalfToEven) {
    SpyEffect effect;
    EXPECT_EQ(effect.send(effGetVu), 0);
    effect.vu = 0.5f;  // 16383.5 goes to the even neighbour
    EXPECT_EQ(effect.send(effGetVu), 16384);
    effect.vu = 1.0f;
    EXPECT_EQ(effect.send(effGetVu), 32767);
}

TEST(BaseDispatcher, SampleRateAndBlockSizeAreStored) {
    DefaultEffect effect;
    effect.send(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    effect.send(effSetBlockSize, 0, 256);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
    EXPECT_EQ(effect.send(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
}

TEST(BaseDispatcher, ChunkRequestsPassTheKindAndTheSize) {
    SpyEffect effect;
    void* chunk = nullptr;
    EXPECT_EQ(effect.send(effGetChunk, 1, 0, &chunk), 4);
    EXPECT_NE(chunk, nullptr);
    EXPECT_EQ(effect.send(effGetChunk, 0, 0, &chunk), 4);
    EXPECT_EQ(effect.send(effSetChunk, 7, 364, chunk), 1);
    EXPECT_EQ(effect.log, "getChunk preset;getChunk bank;setChunk 364 preset;");

    DefaultEffect base;
    EXPECT_EQ(base.send(effGetChunk, 1, 0, &chunk), 0);
    EXPECT_EQ(base.send(effSetChunk, 0, 3648, chunk), 0);
}

TEST(BaseDispatcher, UnknownAndRetiredOpcodesAnswerZero) {
    DefaultEffect effect;
    for (int32_t opcode : {16, 17, 18, 20, 21, 77, 78, 1000, -1, -25, INT32_MIN})
        EXPECT_EQ(effect.send(opcode, 1, 1, nullptr, 1.0f), 0) << "opcode " << opcode;
    EXPECT_EQ(effect.send(effIdentify), 0x4E764566);
}

TEST(EditorRequests, WithoutAnEditorEveryEditorOpcodeAnswersZero) {
    DefaultEffect effect;
    ERect* rect = reinterpret_cast<ERect*>(&effect);  // must stay untouched
    EXPECT_EQ(effect.send(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(&effect));
    char parent = 0;
    EXPECT_EQ(effect.send(effEditOpen, 0, 0, &parent), 0);
    EXPECT_EQ(effect.send(effEditClose), 0);
    EXPECT_EQ(effect.send(effEditIdle), 0);
    EXPECT_EQ(effect.send(effEditKeyDown, 'a', 65, nullptr, 1.0f), 0);
    EXPECT_EQ(effect.send(effEditKeyUp, 'a', 65, nullptr, 1.0f), 0);
    EXPECT_EQ(effect.send(effSetEditKnobMode, 0, 2), 0);
}

TEST(EditorRequests, BaseEditorAnswersAndKeyRecordsAreBuiltFromTheOperands) {
    DefaultEffect effect;
    auto* editor = new KeyEditor(&effect);
    effect.setEditor(editor);

    ERect* rect = reinterpret_cast<ERect*>(&effect);
    EXPECT_EQ(effect.send(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr) << "the base editor has no rectangle";
    EXPECT_EQ(effect.send(effEditGetRect, 0, 0, nullptr), 0) << "no place to store the answer";
    char parent = 0;
    EXPECT_EQ(effect.send(effEditOpen, 0, 0, &parent), 0);

    EXPECT_EQ(effect.send(effEditKeyDown, 'q', 0x1234, nullptr, 2.5f), 1);
    EXPECT_EQ(editor->last.character, 'q');
    EXPECT_EQ(editor->last.virt, 0x34) << "low byte of value";
    EXPECT_EQ(editor->last.modifier, 2) << "opt rounded half to even";
    EXPECT_EQ(effect.send(effEditKeyUp, 'q', 0, nullptr, 0.0f), -1);
    EXPECT_EQ(effect.send(effSetEditKnobMode, 0, 2), 102);
}

TEST(ExtendedDispatcher, DefaultAnswers) {
    DefaultEffect effect;
    char text[256] = {};
    VstPinProperties pin{};
    struct Expectation {
        int32_t opcode;
        intptr_t result;
        int32_t index;
        intptr_t value;
        void* ptr;
    };
    const Expectation expectations[] = {
        {effProcessEvents, 0, 0, 0, nullptr},
        {effCanBeAutomated, 1, 3, 0, nullptr},
        {effString2Parameter, 0, 0, 0, text},
        {effGetNumProgramCategories, 1, 0, 0, nullptr},
        {effGetProgramNameIndexed, 0, 0, 0, text},
        {effCopyProgram, 0, 1, 0, nullptr},
        {effConnectInput, 1, 0, 0, nullptr},
        {effConnectInput, 1, 5, 1, nullptr},
        {effConnectOutput, 1, 1, 0, nullptr},
        {effGetInputProperties, 0, 0, 0, &pin},
        {effGetOutputProperties, 0, 0, 0, &pin},
        {effGetPlugCategory, 0, 0, 0, nullptr},
        {effGetCurrentPosition, 0, 0, 0, nullptr},
        {effGetDestinationBuffer, 0, 0, 0, nullptr},
        {effOfflineNotify, 0, 0, 0, nullptr},
        {effOfflinePrepare, 0, 0, 0, nullptr},
        {effOfflineRun, 0, 0, 0, nullptr},
        {effProcessVarIo, 0, 0, 0, nullptr},
        {effSetSpeakerArrangement, 0, 0, 0, nullptr},
        {effSetBypass, 0, 0, 1, nullptr},
        {effGetEffectName, 0, 0, 0, text},
        {effGetErrorText, 0, 0, 0, text},
        {effGetVendorString, 0, 0, 0, text},
        {effGetProductString, 0, 0, 0, text},
        {effGetVendorVersion, 0, 0, 0, nullptr},
        {effVendorSpecific, 0, 1, 2, nullptr},
        {effCanDo, 0, 0, 0, text},
        {effGetTailSize, 0, 0, 0, nullptr},
        {effIdle, 0, 0, 0, nullptr},
        {effGetIcon, 0, 0, 0, nullptr},
        {effSetViewPosition, 0, 10, 20, nullptr},
        {effGetParameterProperties, 0, 0, 0, text},
        {effKeysRequired, 1, 0, 0, nullptr},
        {effGetVstVersion, 2300, 0, 0, nullptr},
        {effGetMidiProgramName, 0, 0, 0, nullptr},
        {effGetCurrentMidiProgram, -1, 0, 0, nullptr},
        {effGetMidiProgramCategory, 0, 0, 0, nullptr},
        {effHasMidiProgramsChanged, 0, 0, 0, nullptr},
        {effGetMidiKeyName, 0, 0, 0, nullptr},
        {effBeginSetProgram, 0, 0, 0, nullptr},
        {effEndSetProgram, 0, 0, 0, nullptr},
        {effShellGetNextPlugin, 0, 0, 0, text},
        {effStartProcess, 0, 0, 0, nullptr},
        {effStopProcess, 0, 0, 0, nullptr},
        {effSetTotalSampleToProcess, 12345, 0, 12345, nullptr},
        {effSetPanLaw, 0, 0, 0, nullptr},
        {effBeginLoadBank, 0, 0, 0, nullptr},
        {effBeginLoadProgram, 0, 0, 0, nullptr},
    };
    for (const Expectation& x : expectations)
        EXPECT_EQ(effect.send(x.opcode, x.index, x.value, x.ptr), x.result)
            << "opcode " << x.opcode;
    EXPECT_EQ(std::string(text), "") << "no default writes text";

    effect.isSynth(true);
    EXPECT_EQ(effect.send(effGetPlugCategory), 2);
}

TEST(ExtendedDispatcher, OperandsReachTheOperation) {
    SpyEffect effect;
    char text[64] = {};
    EXPECT_EQ(effect.send(effGetProgramNameIndexed, 4, 2, text), 1);
    EXPECT_EQ(effect.send(effConnectInput, 1, 0), 1);
    EXPECT_EQ(effect.send(effKeysRequired), 0) << "the answer is inverted";
    EXPECT_EQ(effect.log, "getProgramNameIndexed 2 4;inputConnected 1 off;");
}

TEST(ExtendedDispatcher, SpeakerArrangementQueryClearsBothPointers) {
    DefaultEffect effect;
    int dummy = 0;
    void* input = &dummy;
    void* output = &dummy;
    EXPECT_EQ(effect.send(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(effect.send(effGetSpeakerArrangement, 0, 0, nullptr), 0) << "null places are skipped";
}

}  // namespace
