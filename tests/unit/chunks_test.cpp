// Preset and bank chunks: the bytes written, what an accepted chunk changes,
// and the five refusals that change nothing.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "PluginUnderTest.h"
#include "support/MessageLog.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Written here byte by byte, apart from the plug-in's own helpers.
void putUint32(Bytes& bytes, size_t at, uint32_t value) {
    for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<uint8_t>(value >> (8 * b));
}
void putFloat(Bytes& bytes, size_t at, float value) {
    putUint32(bytes, at, std::bit_cast<uint32_t>(value));
}
uint32_t getUint32(const Bytes& bytes, size_t at) {
    uint32_t value = 0;
    for (int b = 3; b >= 0; --b) value = value << 8 | bytes[at + b];
    return value;
}
float getFloat(const Bytes& bytes, size_t at) { return std::bit_cast<float>(getUint32(bytes, at)); }

const uint8_t kHeader[8] = {0x4E, 0x37, 0x51, 0x5A, 0x04, 0x00, 0x00, 0x00};

class Chunks : public testing::Test {
protected:
    Bytes chunk(bool isPreset) {
        void* data = nullptr;
        const int32_t size = plugin.getChunk(&data, isPreset);
        EXPECT_EQ(data, isPreset ? static_cast<void*>(const_cast<uint8_t*>(
                                       plugin.core().programBank().presetBuffer()))
                                 : static_cast<void*>(const_cast<uint8_t*>(
                                       plugin.core().programBank().bankBuffer())))
            << "the effect hands out its own buffer";
        if (!data || size <= 0) return {};
        const auto* bytes = static_cast<const uint8_t*>(data);
        return Bytes(bytes, bytes + size);
    }
    Bytes preset() { return chunk(true); }
    Bytes bank() { return chunk(false); }
    int32_t load(Bytes bytes, bool isPreset) {
        return plugin.setChunk(bytes.data(), static_cast<int32_t>(bytes.size()), isPreset);
    }

    MessageLog log;
    PluginUnderTest plugin;
};

TEST_F(Chunks, ANewInstancesPresetIsExactlyTheseBytes) {
    Bytes expected(364, 0);
    std::memcpy(expected.data(), kHeader, 8);
    const uint32_t values[12] = {0x3E5C28F6, 0x3ECCCCCD, 0x3DD4FDF4, 0x3F800000, 0x3F800000, 0,
                                 0,          0,          0x3F800000, 0,          0,          0};
    for (int i = 0; i < 12; ++i) putUint32(expected, 8 + 4 * i, values[i]);
    std::memcpy(expected.data() + 56, "Vocal Out - Mode 1", 18);
    EXPECT_EQ(preset(), expected);
}

TEST_F(Chunks, ANewInstancesBankHoldsTheTenProgramsInPlace) {
    const Bytes bytes = bank();
    ASSERT_EQ(bytes.size(), 3648u);
    EXPECT_TRUE(std::equal(kHeader, kHeader + 8, bytes.begin()));
    for (int p = 0; p < 10; ++p) {
        const size_t entry = 8 + 364 * p;
        for (size_t b = entry; b < entry + 8; ++b) EXPECT_EQ(bytes[b], 0) << "entry header " << p;
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(getFloat(bytes, entry + 8 + 4 * i), plugin.programs[p].fpar[i].load())
                << "program " << p << ", value " << i;
        EXPECT_EQ(std::memcmp(bytes.data() + entry + 56, plugin.programs[p].name, 51), 0) << p;
        for (size_t b = entry + 107; b < entry + 364; ++b) EXPECT_EQ(bytes[b], 0) << p;
    }
    EXPECT_EQ(getFloat(bytes, 16), 0.215f) << "first entry's values at 16";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 64), "Vocal Out - Mode 1")
        << "first entry's name at 64";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 64 + 9 * 364),
              "Isolate Vocal (HR)");
}

TEST_F(Chunks, ThePresetCarriesTheCurrentProgramWithItsEdits) {
    plugin.setProgram(4);
    plugin.setParameter(APlugin::kMix, 0.5f);
    const Bytes bytes = preset();
    EXPECT_EQ(getFloat(bytes, 8 + 4 * APlugin::kMix), 0.5f);
    EXPECT_EQ(getFloat(bytes, 8 + 4 * APlugin::kCenter), 0.3875f);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 56), "Isolate Vocal");
    EXPECT_EQ(getFloat(bank(), 16 + 364 * 4 + 4 * APlugin::kMix), 0.5f);
}

TEST_F(Chunks, ARoundTripChangesNoValueButRequestsAReset) {
    plugin.setProgram(7);
    plugin.setParameter(APlugin::kSpread, 0.3f);
    for (bool isPreset : {true, false}) {
        const Bytes saved = chunk(isPreset);
        plugin.runOneBlock();
        const PluginState before = plugin.state();
        EXPECT_EQ(load(saved, isPreset), 1);
        EXPECT_TRUE(plugin.isResetPending()) << isPreset;
        PluginState after = plugin.state();
        after.resetPending = false;
        EXPECT_TRUE(after == before) << isPreset;
    }
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(Chunks, TheHostMayHandBackTheEffectsOwnBuffer) {
    plugin.setParameter(APlugin::kWidth, 0.9f);
    for (bool isPreset : {true, false}) {
        void* data = nullptr;
        const int32_t size = plugin.getChunk(&data, isPreset);
        EXPECT_EQ(plugin.setChunk(data, size, isPreset), 1);
        EXPECT_EQ(plugin.getParameter(APlugin::kWidth), 0.9f);
    }
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(Chunks, APresetReplacesOnlyTheCurrentProgram) {
    plugin.setProgram(3);
    Bytes bytes = preset();
    putFloat(bytes, 8 + 4 * APlugin::kCenter, 0.6f);
    putFloat(bytes, 8 + 4 * APlugin::kBypass, 1.0f);
    std::memset(bytes.data() + 56, 0, 51);
    std::memcpy(bytes.data() + 56, "Loaded", 6);
    bytes[56 + 30] = 0x7F;  // after the terminator, kept as it is
    for (int b = 0; b < 256; ++b) bytes[107 + b] = static_cast<uint8_t>(b);
    const PluginState before = plugin.state();

    EXPECT_EQ(load(bytes, true), 1);
    EXPECT_EQ(plugin.getProgram(), 3);
    EXPECT_EQ(plugin.getParameter(APlugin::kCenter), 0.6f);
    EXPECT_EQ(plugin.centerHz.load(), 12000.0f);
    EXPECT_TRUE(plugin.bypassOn.load());
    EXPECT_EQ(plugin.programs[3].name[30], 0x7F);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(plugin.programs[3].reserved[b], b);
    PluginState after = plugin.state();
    for (int p = 0; p < 10; ++p) {
        if (p == 3) continue;
        EXPECT_TRUE(after.programs[p] == before.programs[p]) << p;
    }
    EXPECT_EQ(preset(), bytes) << "written back unchanged";
}

TEST_F(Chunks, ABankReplacesEveryProgramAndKeepsTheCurrentOne) {
    plugin.setProgram(6);
    Bytes bytes = bank();
    for (int p = 0; p < 10; ++p) {
        putFloat(bytes, 16 + 364 * p + 4 * APlugin::kHumidity, 0.05f * static_cast<float>(p));
        bytes[64 + 364 * p] = static_cast<uint8_t>('a' + p);
        bytes[115 + 364 * p + 255] = static_cast<uint8_t>(p + 1);
    }
    plugin.runOneBlock();
    EXPECT_EQ(load(bytes, false), 1);
    EXPECT_EQ(plugin.getProgram(), 6) << "a bank does not say which program was current";
    EXPECT_EQ(plugin.getParameter(APlugin::kHumidity), 0.05f * 6);
    EXPECT_TRUE(plugin.isResetPending());
    for (int p = 0; p < 10; ++p) {
        EXPECT_EQ(plugin.programs[p].fpar[APlugin::kHumidity].load(),
                  0.05f * static_cast<float>(p));
        EXPECT_EQ(plugin.programs[p].name[0], 'a' + p);
        EXPECT_EQ(plugin.programs[p].reserved[255], p + 1);
    }
    EXPECT_EQ(bank(), bytes);
}

TEST_F(Chunks, BytesTheWriterDoesNotOwnKeepWhatTheLastAcceptedChunkHeld) {
    Bytes presetBytes = preset();
    presetBytes[363] = 0xAB;
    EXPECT_EQ(load(presetBytes, true), 1);
    plugin.setParameter(APlugin::kMix, 0.25f);
    EXPECT_EQ(preset()[363], 0xAB);

    Bytes bankBytes = bank();
    for (int p = 0; p < 10; ++p) {
        for (int b = 0; b < 8; ++b) bankBytes[8 + 364 * p + b] = static_cast<uint8_t>(0x10 + p);
        bankBytes[371 + 364 * p] = static_cast<uint8_t>(0x20 + p);
    }
    EXPECT_EQ(load(bankBytes, false), 1);
    const Bytes again = bank();
    EXPECT_EQ(again, bankBytes);
    EXPECT_EQ(preset()[363], 0xAB) << "a bank leaves the preset buffer alone";
}

TEST_F(Chunks, ABankValueOfFiveIsStoredAndClampedOnlyWhenItsProgramIsApplied) {
    Bytes bytes = bank();
    putFloat(bytes, 16 + 364 * 2 + 4 * APlugin::kWidth, 5.0f);
    EXPECT_EQ(load(bytes, false), 1);
    EXPECT_EQ(plugin.programs[2].fpar[APlugin::kWidth].load(), 5.0f);
    EXPECT_EQ(getFloat(bank(), 16 + 364 * 2 + 4 * APlugin::kWidth), 5.0f);
    plugin.setProgram(2);
    EXPECT_EQ(plugin.getParameter(APlugin::kWidth), 1.0f);
    EXPECT_EQ(plugin.programs[2].fpar[APlugin::kWidth].load(), 1.0f);
    EXPECT_EQ(plugin.widthHz.load(), 20000.0f);
}

TEST_F(Chunks, AnUnterminatedNameTravelsWhole) {
    Bytes bytes = preset();
    std::memset(bytes.data() + 56, 'Z', 51);
    EXPECT_EQ(load(bytes, true), 1);
    EXPECT_EQ(plugin.programName(0), std::string(51, 'Z'));
    char host[64];
    std::memset(host, 0, sizeof host);
    plugin.getProgramName(host);
    EXPECT_EQ(std::string(host), std::string(23, 'Z'));
    EXPECT_EQ(preset(), bytes);
}

TEST_F(Chunks, WithoutAPlaceForTheAddressNothingIsWritten) {
    const PluginState before = plugin.state();
    EXPECT_EQ(plugin.getChunk(nullptr, true), 0);
    EXPECT_EQ(plugin.getChunk(nullptr, false), 0);
    EXPECT_TRUE(plugin.state() == before) << "the buffers were not filled either";
}

// A refused chunk: the message, the answer 1, and not one byte of state moved.
class RefusedChunks : public Chunks {
protected:
    void SetUp() override {
        // Give every piece of state something to lose.
        Bytes bytes = bank();
        bytes[10] = 0x55;
        putFloat(bytes, 16 + 4 * APlugin::kSpread, 0.9f);
        ASSERT_EQ(load(bytes, false), 1);
        plugin.setProgram(1);
        plugin.setParameter(APlugin::kCenter, 0.33f);
        preset();
        plugin.runOneBlock();
        log.take();
        beforePreset = preset();
        beforeBank = bank();
        before = plugin.state();
    }

    void expectRefused(const void* data, int32_t size, bool isPreset, const std::string& message) {
        EXPECT_EQ(plugin.setChunk(const_cast<void*>(data), size, isPreset), 1);
        EXPECT_EQ(log.take(), std::vector<std::string>{message});
        EXPECT_TRUE(plugin.state() == before);
        EXPECT_EQ(preset(), beforePreset);
        EXPECT_EQ(bank(), beforeBank);
    }
    void expectRefused(const Bytes& bytes, bool isPreset, const std::string& message) {
        expectRefused(bytes.data(), static_cast<int32_t>(bytes.size()), isPreset, message);
    }

    // A fresh chunk of the given size with a sound header.
    static Bytes withHeader(size_t size) {
        Bytes bytes(size, 0);
        std::memcpy(bytes.data(), kHeader, 8);
        return bytes;
    }

    PluginState before;
    Bytes beforePreset, beforeBank;
};

const std::string kE1 = "E1 - Not a valid Zindra preset.";
const std::string kE2 = "E2 - Not a valid Zindra preset.";
const std::string kE3 = "E3 - Wrong version of Zindra preset.";
const std::string kE4 = "E4 - Not a valid Zindra preset.";
const std::string kE5 = "E5 - Not a valid Zindra bank.";

TEST_F(RefusedChunks, E1WhenShorterThanTheHeader) {
    const Bytes seven(kHeader, kHeader + 7);
    expectRefused(seven, true, kE1);
    expectRefused(seven, false, kE1);
    expectRefused(seven.data(), 0, true, kE1);
    expectRefused(seven.data(), -364, true, kE1);
    expectRefused(seven.data(), INT32_MIN, false, kE1);
}

TEST_F(RefusedChunks, E1WhenThereIsNoDataWhateverTheSize) {
    expectRefused(nullptr, 364, true, kE1);
    expectRefused(nullptr, 3648, false, kE1);
    expectRefused(nullptr, 0, false, kE1);
}

TEST_F(RefusedChunks, E2WhenTheMagicIsNotThere) {
    Bytes reversed = withHeader(364);
    const uint8_t readingOrder[4] = {0x5A, 0x51, 0x37, 0x4E};
    std::memcpy(reversed.data(), readingOrder, 4);
    expectRefused(reversed, true, kE2);
    Bytes wrongBank = withHeader(3648);
    wrongBank[3] = 0x5B;
    expectRefused(wrongBank, false, kE2);  // banks hear of a preset too
    Bytes wrongSize = withHeader(8);
    wrongSize[0] = 0;
    expectRefused(wrongSize, true, kE2);  // before the version or the size
}

TEST_F(RefusedChunks, E3ForAnotherVersionBeforeTheSizeIsLookedAt) {
    for (uint32_t version : {3u, 5u, 0u, 0x04000000u}) {
        Bytes bytes = withHeader(100);
        putUint32(bytes, 4, version);
        expectRefused(bytes, true, kE3);
        expectRefused(bytes, false, kE3);
    }
}

TEST_F(RefusedChunks, E4ForAPresetOfTheWrongSize) {
    expectRefused(withHeader(3648), true, kE4);
    expectRefused(withHeader(365), true, kE4);
    expectRefused(withHeader(363), true, kE4);
    expectRefused(withHeader(8), true, kE4);
}

TEST_F(RefusedChunks, E5ForABankOfTheWrongSize) {
    expectRefused(withHeader(364), false, kE5);
    expectRefused(withHeader(3647), false, kE5);
    expectRefused(withHeader(3649), false, kE5);
}

}  // namespace
