// Four-character codes, rounding, parameter display text and the plug-in folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "dsp/Vst_math.h"
#include "platform/dynamic_library.h"
#include "platform/system.h"
#include "vst2/DVstUtils.h"

namespace {

TEST(FourCC, FirstCharacterGoesToTheMostSignificantByte) {
    EXPECT_EQ(makeFourCC('V', 's', 't', 'P'), 0x56737450);
    EXPECT_EQ(makeFourCC('Z', 'Q', '7', 'N'), 0x5A51374E);
    EXPECT_EQ(makeFourCC('N', 'v', 'E', 'f'), 0x4E764566);
    EXPECT_EQ(makeFourCC('\xff', '\x80', 0, 1), static_cast<int32_t>(0xFF800001u));
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(16383.5), 16384);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}

TEST(RoundHalfEven, NonFiniteAndHugeValuesAreSafe) {
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(roundHalfEven(1e300), INT32_MAX);
    EXPECT_EQ(roundHalfEven(-1e300), INT32_MIN);
    EXPECT_EQ(roundHalfEven(HUGE_VAL), INT32_MAX);
}

class FloatToText : public testing::Test {
protected:
    void TearDown() override { platform::setEnvironmentVariable("LC_ALL", ""); }
    static std::string text(float value) {
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        floatToText(buffer, value);
        return buffer;
    }
};

TEST_F(FloatToText, TwoDecimalsWithAPointSeparator) {
    platform::setEnvironmentVariable("LC_ALL", "C");
    if (platform::userDecimalSeparator() != ".") GTEST_SKIP() << "the user's locale is fixed here";
    EXPECT_EQ(text(0.5f), "0.50");
    EXPECT_EQ(text(-1.0f), "-1.00");
    EXPECT_EQ(text(1.0f), "1.00");
    EXPECT_EQ(text(0.335f), "0.34") << "0.335f lies just above the tie";
    EXPECT_EQ(text(20000.0f), "20000.00");
    EXPECT_EQ(text(std::nanf("")), "0.00");
}

TEST_F(FloatToText, TheUsersCommaSeparatorIsUsed) {
    platform::setEnvironmentVariable("LC_ALL", "de_DE.UTF-8");
    if (platform::userDecimalSeparator() != ",")
        GTEST_SKIP() << "no locale with a decimal comma can be selected here";
    EXPECT_EQ(text(0.5f), "0,50");
    EXPECT_EQ(text(-1.0f), "-1,00");
}

TEST(PluginFolder, IsTheFolderOfTheLibraryNotOfTheProgram) {
    namespace fs = std::filesystem;
    const fs::path probe = fs::current_path() / "probe" / FOLDER_PROBE_NAME;
    platform::DynamicLibrary library(probe.string());
    ASSERT_TRUE(library.loaded()) << library.error();
    using Probe = int (*)(char*, int);
    auto folderOf = reinterpret_cast<Probe>(library.symbol("probePluginFolder"));
    ASSERT_NE(folderOf, nullptr);
    char folder[1600];
    ASSERT_GT(folderOf(folder, sizeof folder), 0);
    const std::string text = folder;
    const char last = text.back();
    EXPECT_TRUE(last == '/' || last == '\\') << text;
    EXPECT_TRUE(fs::exists(fs::path(text + FOLDER_PROBE_NAME))) << text;
    EXPECT_EQ(text.substr(text.size() - 6, 5), "probe") << "not the program's folder: " << text;
}

}  // namespace
