// The ten programs: factory contents, switching, editing in place and names.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "PluginUnderTest.h"

namespace {

class Programs : public testing::Test {
protected:
    std::string indexedName(int32_t index) {
        char buffer[64];
        std::memset(buffer, 0, sizeof buffer);
        plugin.getProgramNameIndexed(0, index, buffer);
        return buffer;
    }
    std::string currentName() {
        char buffer[64];
        std::memset(buffer, 0, sizeof buffer);
        plugin.getProgramName(buffer);
        return buffer;
    }

    PluginUnderTest plugin;
};

// The single-precision bit patterns of the factory values.
constexpr uint32_t k0_215 = 0x3E5C28F6, k0_4 = 0x3ECCCCCD, k0_104 = 0x3DD4FDF4, k0_515 = 0x3F03D70A,
                   k0_3875 = 0x3EC66666, k0_75 = 0x3F400000, k0_152 = 0x3E1BA5E3, k1 = 0x3F800000,
                   k0 = 0;

struct Factory {
    const char* name;
    uint32_t bits[12];
};

const Factory kFactory[10] = {
    {"Vocal Out - Mode 1", {k0_215, k0_4, k0_104, k1, k1, k0, k0, k0, k1, k0, k0, k0}},
    {"Vocal Out - Mode 2", {k0_215, k0_4, k0_104, k1, k1, k0, k0, k0, k0, k1, k0, k1}},
    {"Full Spectrum", {k0_515, k1, k0_104, k1, k1, k0, k0, k0, k1, k0, k0, k0}},
    {"Vocal Band Only", {k0_215, k0_4, k0_104, k1, k1, k0, k0, k0, k1, k0, k1, k0}},
    {"Isolate Vocal", {k0_3875, k0_75, k0_152, k1, k1, k0, k0, k1, k1, k0, k1, k1}},
    {"Vocal Out - Mode 1 (HR)", {k0_215, k0_4, k0_104, k1, k1, k1, k0, k0, k1, k0, k0, k0}},
    {"Vocal Out - Mode 2 (HR)", {k0_215, k0_4, k0_104, k1, k1, k1, k0, k0, k0, k1, k0, k1}},
    {"Full Spectrum (HR)", {k0_515, k1, k0_104, k1, k1, k1, k0, k0, k1, k0, k0, k0}},
    {"Vocal Band Only (HR)", {k0_215, k0_4, k0_104, k1, k1, k1, k0, k0, k1, k0, k1, k0}},
    {"Isolate Vocal (HR)", {k0_3875, k0_75, k0_152, k1, k1, k1, k0, k1, k1, k0, k1, k1}},
};

TEST_F(Programs, FactoryProgramsHoldTheTableBitForBit) {
    for (int32_t p = 0; p < 10; ++p) {
        const APluginProgram& program = plugin.programs[p];
        EXPECT_STREQ(program.name, kFactory[p].name);
        for (int32_t i = 0; i < 12; ++i)
            EXPECT_EQ(std::bit_cast<uint32_t>(program.fpar[i].load()), kFactory[p].bits[i])
                << "program " << p << ", parameter " << i;
        const size_t length = std::strlen(kFactory[p].name);
        for (size_t b = length; b < sizeof program.name; ++b)
            EXPECT_EQ(program.name[b], 0) << "program " << p << ", name byte " << b;
        for (uint8_t b : program.reserved) EXPECT_EQ(b, 0) << "program " << p;
    }
}

TEST_F(Programs, ANewRecordHoldsTheFirstFactoryValuesAndNoName) {
    APluginProgram fresh;
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_EQ(std::bit_cast<uint32_t>(fresh.fpar[i].load()), kFactory[0].bits[i]) << i;
    for (char c : fresh.name) EXPECT_EQ(c, 0);
    for (uint8_t b : fresh.reserved) EXPECT_EQ(b, 0);
}

TEST_F(Programs, ANewInstanceStartsOnTheFirstProgramWithAResetPending) {
    EXPECT_EQ(plugin.getProgram(), 0);
    EXPECT_EQ(currentName(), "Vocal Out - Mode 1");
    EXPECT_EQ(plugin.getParameter(APlugin::kCenter), 0.215f);
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_EQ(std::bit_cast<uint32_t>(plugin.getParameter(i)), kFactory[0].bits[i]) << i;
    EXPECT_EQ(plugin.centerHz.load(), 4300.0f);
    EXPECT_EQ(plugin.widthHz.load(), 8000.0f);
    EXPECT_TRUE(plugin.stereolizeOn.load());
    EXPECT_TRUE(plugin.isResetPending());
    EXPECT_EQ(plugin.getAeffect()->initialDelay, 8192);
}

TEST_F(Programs, SwitchingAppliesEveryValueToTheEngine) {
    plugin.runOneBlock();
    CountingEditor& editor = plugin.countUpdates();
    plugin.setProgram(4);
    EXPECT_EQ(plugin.getProgram(), 4);
    EXPECT_EQ(plugin.centerHz.load(), 7750.0f);
    EXPECT_EQ(plugin.widthHz.load(), 15000.0f);
    EXPECT_NEAR(plugin.spreadAngle.load(), 0.1194, 5e-5);
    EXPECT_TRUE(plugin.zindracateOn.load());
    EXPECT_TRUE(plugin.stereolizeOn.load());
    EXPECT_TRUE(plugin.isolateOn.load());
    EXPECT_TRUE(plugin.spreadilateOn.load());
    EXPECT_FALSE(plugin.passThruOn.load());
    EXPECT_FALSE(plugin.bypassOn.load());
    EXPECT_EQ(plugin.requestedFrameSize.load(), 4096);
    EXPECT_TRUE(plugin.isResetPending());
    EXPECT_EQ(editor.updates, 13) << "once per value, then once more";

    plugin.setProgram(9);
    EXPECT_EQ(plugin.requestedFrameSize.load(), 8192);
    plugin.runOneBlock();
    EXPECT_EQ(plugin.currentFrameSize(), 8192);
}

TEST_F(Programs, SelectingTheCurrentProgramAgainStillRequestsAReset) {
    plugin.runOneBlock();
    ASSERT_FALSE(plugin.isResetPending());
    plugin.setProgram(0);
    EXPECT_TRUE(plugin.isResetPending());
}

TEST_F(Programs, TheClosingUpdateIsSkippedOnceTheEditorHasClosed) {
    CountingEditor& editor = plugin.countUpdates();
    plugin.editorClosed.store(true);
    plugin.setProgram(2);
    EXPECT_EQ(editor.updates, 12) << "only the per-value updates";
    editor.updates = 0;
    char name[] = "Renamed";
    plugin.setProgramName(name);
    EXPECT_EQ(editor.updates, 0);
    plugin.editorClosed.store(false);
    plugin.setProgramName(name);
    EXPECT_EQ(editor.updates, 1);
}

TEST_F(Programs, IndicesOutsideTheTenChangeNothing) {
    plugin.setProgram(3);
    plugin.runOneBlock();
    CountingEditor& editor = plugin.countUpdates();
    const PluginState before = plugin.state();
    for (int32_t index : {10, -1, 1000, INT32_MIN}) plugin.setProgram(index);
    EXPECT_TRUE(plugin.state() == before);
    EXPECT_EQ(editor.updates, 0);
}

TEST_F(Programs, EditsSurviveSwitchingAway) {
    plugin.setParameter(APlugin::kCenter, 0.7f);
    plugin.setParameter(APlugin::kIsolate, 1.0f);
    plugin.setProgram(3);
    EXPECT_EQ(plugin.getParameter(APlugin::kCenter), 0.215f);
    plugin.setParameter(APlugin::kWidth, 0.25f);
    plugin.setProgram(0);
    EXPECT_EQ(plugin.getParameter(APlugin::kCenter), 0.7f);
    EXPECT_EQ(plugin.getParameter(APlugin::kIsolate), 1.0f);
    EXPECT_EQ(plugin.centerHz.load(), 14000.0f);
    EXPECT_TRUE(plugin.isolateOn.load());
    plugin.setProgram(3);
    EXPECT_EQ(plugin.getParameter(APlugin::kWidth), 0.25f);
}

TEST_F(Programs, OutOfRangeValuesAreClampedInPlaceWhenApplied) {
    plugin.programs[2].fpar[APlugin::kWidth].store(5.0f);
    plugin.programs[2].fpar[APlugin::kSpread].store(std::nanf(""));
    plugin.programs[2].fpar[APlugin::kMix].store(-3.0f);
    plugin.setProgram(2);
    EXPECT_EQ(plugin.getParameter(APlugin::kWidth), 1.0f);
    EXPECT_EQ(plugin.programs[2].fpar[APlugin::kWidth].load(), 1.0f);
    EXPECT_EQ(plugin.programs[2].fpar[APlugin::kSpread].load(), 0.0f);
    EXPECT_EQ(plugin.programs[2].fpar[APlugin::kMix].load(), 0.0f);
    EXPECT_EQ(plugin.widthHz.load(), 20000.0f);
}

TEST_F(Programs, NamesByIndexWithoutSwitching) {
    char buffer[64];
    std::memset(buffer, 0, sizeof buffer);
    EXPECT_TRUE(plugin.getProgramNameIndexed(0, 9, buffer));
    EXPECT_STREQ(buffer, "Isolate Vocal (HR)");
    EXPECT_TRUE(plugin.getProgramNameIndexed(7, 2, buffer)) << "the category is ignored";
    EXPECT_STREQ(buffer, "Full Spectrum");
    EXPECT_EQ(plugin.getProgram(), 0);

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(plugin.getProgramNameIndexed(0, 10, buffer));
    EXPECT_FALSE(plugin.getProgramNameIndexed(0, -1, buffer));
    for (char c : buffer) EXPECT_EQ(c, 'x') << "nothing written for an unknown program";
}

TEST_F(Programs, RenamingTheCurrentProgramSticks) {
    plugin.setProgram(5);
    char name[] = "My Mix";
    plugin.setProgramName(name);
    EXPECT_EQ(indexedName(5), "My Mix");
    EXPECT_EQ(currentName(), "My Mix");
    plugin.setProgram(1);
    EXPECT_EQ(currentName(), "Vocal Out - Mode 2");
    plugin.setProgram(5);
    EXPECT_EQ(currentName(), "My Mix");
    EXPECT_EQ(indexedName(0), "Vocal Out - Mode 1");
}

TEST_F(Programs, StoredNamesKeepFiftyCharacters) {
    const std::string longName(60, 'n');
    std::string copy = longName;
    plugin.setProgramName(copy.data());
    EXPECT_EQ(plugin.programName(0), longName.substr(0, 50));
    EXPECT_EQ(plugin.programs[0].name[50], '\0');
}

TEST_F(Programs, NamesAnsweredToHostsFitTheirProgramNameBuffer) {
    std::string copy(50, 'q');
    plugin.setProgramName(copy.data());

    char buffer[40];
    std::memset(buffer, 'x', sizeof buffer);
    plugin.getProgramName(buffer);
    EXPECT_EQ(std::string(buffer), std::string(23, 'q'));
    for (size_t i = 24; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'x') << i;

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(plugin.getProgramNameIndexed(0, 0, buffer));
    EXPECT_EQ(std::string(buffer), std::string(23, 'q'));
    for (size_t i = 24; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'x') << i;

    EXPECT_EQ(plugin.programName(0), std::string(50, 'q')) << "the program keeps the whole name";
}

TEST_F(Programs, AnUnterminatedNameIsReadAsItsLeadingCharacters) {
    std::memset(plugin.programs[0].name, 'A', sizeof plugin.programs[0].name);
    EXPECT_EQ(currentName(), std::string(23, 'A'));
    EXPECT_EQ(indexedName(0), std::string(23, 'A'));
}

TEST_F(Programs, NullTextsAreNeitherReadNorWritten) {
    const PluginState before = plugin.state();
    plugin.setProgramName(nullptr);
    plugin.getProgramName(nullptr);
    plugin.getProgramNameIndexed(0, 3, nullptr);
    plugin.getProgramNameIndexed(0, 10, nullptr);
    EXPECT_TRUE(plugin.state() == before);
}

}  // namespace
