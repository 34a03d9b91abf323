// Preset and bank files: what is written reads back the same, the layout is
// the big-endian one hosts use, and damaged files are refused, never misread.
#include <gtest/gtest.h>

#include "app/PresetFile.h"

namespace {

constexpr int32_t kID = 0x5A51374E;  // "ZQ7N"

PresetFile chunkPreset() {
    PresetFile f;
    f.kind = PresetFile::Kind::Program;
    f.effectID = kID;
    f.effectVersion = 1;
    f.count = 12;
    f.name = "Vocal Out - Mode 1";
    for (int i = 0; i < 364; ++i) f.chunk.push_back(static_cast<uint8_t>(i * 7));
    return f;
}

PresetFile valuesPreset(const std::string& name, float base) {
    PresetFile f;
    f.opaque = false;
    f.effectID = kID;
    f.name = name;
    for (int i = 0; i < 12; ++i) f.values.push_back(base + 0.01f * static_cast<float>(i));
    f.count = 12;
    return f;
}

uint32_t bigEndianAt(const std::vector<uint8_t>& b, size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
           b[at + 3];
}

void expectSame(const PresetFile& a, const PresetFile& b) {
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.opaque, b.opaque);
    EXPECT_EQ(a.effectID, b.effectID);
    EXPECT_EQ(a.effectVersion, b.effectVersion);
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.chunk, b.chunk);
    EXPECT_EQ(a.values, b.values);
    if (a.kind == PresetFile::Kind::Program) {
        EXPECT_EQ(a.name, b.name);
    }
    ASSERT_EQ(a.programs.size(), b.programs.size());
    for (size_t i = 0; i < a.programs.size(); ++i) expectSame(a.programs[i], b.programs[i]);
}

std::string refusal(const std::vector<uint8_t>& bytes) {
    try {
        decodePresetFile(bytes);
    } catch (const PresetFileError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace

TEST(PresetFile, ChunkPresetHasTheHostLayoutAndReadsBack) {
    const auto bytes = encodePresetFile(chunkPreset());
    ASSERT_EQ(bytes.size(), 60u + 364u);
    EXPECT_EQ(bigEndianAt(bytes, 0), 0x43636E4Bu);  // CcnK
    EXPECT_EQ(bigEndianAt(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(bigEndianAt(bytes, 8), 0x46504368u);  // FPCh
    EXPECT_EQ(bigEndianAt(bytes, 16), static_cast<uint32_t>(kID));
    EXPECT_EQ(bigEndianAt(bytes, 24), 12u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[28])), "Vocal Out - Mode 1");
    EXPECT_EQ(bigEndianAt(bytes, 56), 364u);
    expectSame(decodePresetFile(bytes), chunkPreset());
}

TEST(PresetFile, ChunkBankRecordsTheCurrentProgramAndReadsBack) {
    PresetFile bank = chunkPreset();
    bank.kind = PresetFile::Kind::Bank;
    bank.count = 10;
    bank.currentProgram = 3;
    bank.chunk.resize(3648, 0xAB);
    const auto bytes = encodePresetFile(bank);
    ASSERT_EQ(bytes.size(), 160u + 3648u);
    EXPECT_EQ(bigEndianAt(bytes, 8), 0x46424368u);  // FBCh
    EXPECT_EQ(bigEndianAt(bytes, 12), 2u);
    EXPECT_EQ(bigEndianAt(bytes, 28), 3u);
    EXPECT_EQ(bigEndianAt(bytes, 156), 3648u);
    const PresetFile back = decodePresetFile(bytes);
    expectSame(back, bank);
    EXPECT_EQ(back.currentProgram, 3);
}

TEST(PresetFile, ParameterListsReadBack) {
    const PresetFile preset = valuesPreset("A name longer than the twenty-seven characters", 0.25f);
    const auto bytes = encodePresetFile(preset);
    EXPECT_EQ(bytes.size(), 56u + 48u);
    PresetFile back = decodePresetFile(bytes);
    EXPECT_EQ(back.name, preset.name.substr(0, 27));
    back.name = preset.name;
    expectSame(back, preset);

    PresetFile bank;
    bank.kind = PresetFile::Kind::Bank;
    bank.opaque = false;
    bank.effectID = kID;
    for (int i = 0; i < 10; ++i)
        bank.programs.push_back(
            valuesPreset("P" + std::to_string(i), 0.05f * static_cast<float>(i)));
    bank.count = 10;
    expectSame(decodePresetFile(encodePresetFile(bank)), bank);
}

TEST(PresetFile, EveryTruncationIsRefused) {
    PresetFile bank;
    bank.kind = PresetFile::Kind::Bank;
    bank.opaque = false;
    bank.effectID = kID;
    bank.programs = {valuesPreset("a", 0.1f), valuesPreset("b", 0.2f)};
    bank.count = 2;
    for (const auto& whole : {encodePresetFile(chunkPreset()), encodePresetFile(bank)}) {
        for (size_t length = 0; length < whole.size(); ++length) {
            const std::vector<uint8_t> cut(whole.begin(),
                                           whole.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_NE(refusal(cut), "accepted") << "length " << length;
        }
    }
}

TEST(PresetFile, DamagedFieldsAreRefusedWithTheReason) {
    const auto good = encodePresetFile(chunkPreset());

    auto notContainer = good;
    notContainer[0] = 'X';
    EXPECT_EQ(refusal(notContainer), "not a VST preset or bank file");

    auto unknownKind = good;
    unknownKind[8] = 'Q';
    EXPECT_EQ(refusal(unknownKind), "not a VST preset or bank (unknown kind 'QPCh')");

    auto hugeChunk = good;
    hugeChunk[56] = 0x7F;
    EXPECT_NE(refusal(hugeChunk).find("chunk size"), std::string::npos);

    auto negativeChunk = good;
    negativeChunk[56] = 0xFF;
    EXPECT_NE(refusal(negativeChunk).find("chunk size"), std::string::npos);

    auto sizeBeyondFile = good;
    sizeBeyondFile[4] = 0x01;
    EXPECT_NE(refusal(sizeBeyondFile).find("cut short"), std::string::npos);

    auto negativeCount = encodePresetFile(valuesPreset("x", 0.0f));
    negativeCount[24] = 0xFF;
    EXPECT_NE(refusal(negativeCount).find("parameters"), std::string::npos);

    EXPECT_EQ(refusal({}), "not a VST preset or bank file");
    EXPECT_EQ(refusal(std::vector<uint8_t>(100, 0)), "not a VST preset or bank file");
}
