// The twelve parameters: clamping, the engine quantities they set, the
// write-through into the current program and the texts answered to hosts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>

#include "PluginUnderTest.h"
#include "platform/system.h"

namespace {

class Parameters : public testing::Test {
protected:
    PluginUnderTest plugin;
};

TEST_F(Parameters, ValuesOutsideTheRangeAndNaNAreClampedBeforeUse) {
    plugin.setParameter(APlugin::kCenter, 1.5f);
    EXPECT_EQ(plugin.getParameter(APlugin::kCenter), 1.0f);
    EXPECT_EQ(plugin.centerHz.load(), 20000.0f);

    for (float below : {-0.2f, std::nanf(""), -std::numeric_limits<float>::infinity()}) {
        plugin.setParameter(APlugin::kCenter, 0.7f);
        plugin.setParameter(APlugin::kCenter, below);
        EXPECT_EQ(plugin.getParameter(APlugin::kCenter), 0.0f) << below;
        EXPECT_EQ(plugin.centerHz.load(), 0.0f) << below;
        EXPECT_EQ(plugin.programs[0].fpar[APlugin::kCenter].load(), 0.0f) << below;
    }
    plugin.setParameter(APlugin::kWidth, std::numeric_limits<float>::infinity());
    EXPECT_EQ(plugin.getParameter(APlugin::kWidth), 1.0f);
    EXPECT_EQ(plugin.widthHz.load(), 20000.0f);
}

TEST_F(Parameters, ContinuousValuesBecomeEngineQuantities) {
    plugin.setParameter(APlugin::kCenter, 0.215f);
    EXPECT_EQ(plugin.centerHz.load(), 4300.0f);
    plugin.setParameter(APlugin::kWidth, 0.4f);
    EXPECT_EQ(plugin.widthHz.load(), 8000.0f);
    plugin.setParameter(APlugin::kSpread, 1.0f);
    EXPECT_FLOAT_EQ(plugin.spreadAngle.load(), static_cast<float>(std::numbers::pi / 4));
    plugin.setParameter(APlugin::kSpread, 0.104f);
    EXPECT_NEAR(plugin.spreadAngle.load(), 0.0817, 5e-5);
    plugin.setParameter(APlugin::kMix, 0.5f);
    EXPECT_EQ(plugin.mixFactorRe.load(), 0.5f);
    plugin.setParameter(APlugin::kHumidity, 0.3f);
    EXPECT_EQ(plugin.humidity.load(), 0.3f);
}

TEST_F(Parameters, HertzAreRoundedToWholeNumbersWithTiesToEven) {
    // 1/64 and 3/64 of 20000 are exactly 312.5 and 937.5.
    plugin.setParameter(APlugin::kCenter, 1.0f / 64);
    EXPECT_EQ(plugin.centerHz.load(), 312.0f);
    plugin.setParameter(APlugin::kWidth, 3.0f / 64);
    EXPECT_EQ(plugin.widthHz.load(), 938.0f);
}

TEST_F(Parameters, CenterAndWidthMoveTheBandAtOnce) {
    // 44100 Hz, 4096-point frames: 2048 bins up to 22050 Hz.
    plugin.setParameter(APlugin::kWidth, 0.4f);
    plugin.setParameter(APlugin::kCenter, 0.5f);
    EXPECT_EQ(plugin.getBandLowBin(), 557) << "6000 Hz";
    EXPECT_EQ(plugin.getBandHighBin(), 1300) << "14000 Hz";
    plugin.setParameter(APlugin::kWidth, 0.1f);
    EXPECT_EQ(plugin.getBandLowBin(), 836) << "9000 Hz";
    EXPECT_EQ(plugin.getBandHighBin(), 1022) << "11000 Hz";
}

TEST_F(Parameters, EveryHiResSettingRequestsAResetAtTheNextProcessingCall) {
    plugin.runOneBlock();
    ASSERT_FALSE(plugin.isResetPending());

    plugin.setParameter(APlugin::kHiRes, 0.49f);
    EXPECT_EQ(plugin.requestedFrameSize.load(), 4096);
    EXPECT_TRUE(plugin.isResetPending()) << "even though the size stays";
    plugin.runOneBlock();
    EXPECT_FALSE(plugin.isResetPending());
    EXPECT_EQ(plugin.currentFrameSize(), 4096);

    for (float hiRes : {0.5f, 1.0f}) {
        plugin.setParameter(APlugin::kHiRes, hiRes);
        EXPECT_EQ(plugin.requestedFrameSize.load(), 8192) << hiRes;
        EXPECT_TRUE(plugin.isResetPending()) << hiRes;
        plugin.runOneBlock();
        EXPECT_EQ(plugin.currentFrameSize(), 8192) << hiRes;
    }
}

TEST_F(Parameters, TheResetBlockGoesThroughTheClearedEngine) {
    plugin.setParameter(APlugin::kHiRes, 1.0f);
    float left[32], right[32];
    for (int i = 0; i < 32; ++i) left[i] = right[i] = 0.5f;
    float* channels[2] = {left, right};
    plugin.processReplacing(channels, channels, 32);
    EXPECT_EQ(plugin.currentFrameSize(), 8192);
    // The cleared delay line gives the anti-denormal offset, nothing of the input.
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(left[i], static_cast<float>(-1e-20));
        EXPECT_EQ(right[i], static_cast<float>(-1e-20));
    }
}

TEST_F(Parameters, AnyNonZeroValueSwitchesOnAndIsKeptRaw) {
    struct Switch {
        int32_t index;
        const std::atomic<bool>& engine;
    };
    const Switch switches[] = {
        {APlugin::kBypass, plugin.bypassOn},         {APlugin::kZindracate, plugin.zindracateOn},
        {APlugin::kStereolize, plugin.stereolizeOn}, {APlugin::kPassThru, plugin.passThruOn},
        {APlugin::kIsolate, plugin.isolateOn},       {APlugin::kSpreadilate, plugin.spreadilateOn}};
    for (const Switch& s : switches) {
        plugin.setParameter(s.index, 0.0001f);
        EXPECT_TRUE(s.engine.load()) << s.index;
        EXPECT_EQ(plugin.getParameter(s.index), 0.0001f) << s.index;
        plugin.setParameter(s.index, 0.3f);
        EXPECT_TRUE(s.engine.load()) << s.index;
        EXPECT_EQ(plugin.getParameter(s.index), 0.3f) << s.index;
        plugin.setParameter(s.index, 0.0f);
        EXPECT_FALSE(s.engine.load()) << s.index;
        plugin.setParameter(s.index, -1.0f);
        EXPECT_FALSE(s.engine.load()) << s.index;
    }
}

TEST_F(Parameters, EachValueIsWrittenIntoTheCurrentProgramAndTheEditorIsTold) {
    CountingEditor& editor = plugin.countUpdates();
    plugin.setProgram(6);
    editor.updates = 0;
    plugin.setParameter(APlugin::kMix, 0.5f);
    EXPECT_EQ(plugin.programs[6].fpar[APlugin::kMix].load(), 0.5f);
    EXPECT_EQ(plugin.programs[0].fpar[APlugin::kMix].load(), 1.0f) << "other programs keep theirs";
    EXPECT_EQ(editor.updates, 1);
    for (int32_t i = 0; i < APlugin::kNumParams; ++i)
        EXPECT_EQ(plugin.getParameter(i), plugin.programs[6].fpar[i].load()) << i;
}

TEST_F(Parameters, OutOfRangeIndicesChangeNothingAndTellNobody) {
    CountingEditor& editor = plugin.countUpdates();
    const PluginState before = plugin.state();
    for (int32_t index : {12, -1, 100, INT32_MIN}) plugin.setParameter(index, 0.5f);
    EXPECT_TRUE(plugin.state() == before);
    EXPECT_EQ(editor.updates, 0);
}

class ParameterTexts : public Parameters {
protected:
    void TearDown() override { platform::setEnvironmentVariable("LC_ALL", ""); }

    template <typename Query>
    std::string text(Query query, int32_t index) {
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        buffer[sizeof buffer - 1] = '\0';
        (plugin.*query)(index, buffer);
        return buffer;
    }
    std::string name(int32_t index) { return text(&APlugin::getParameterName, index); }
    std::string display(int32_t index) { return text(&APlugin::getParameterDisplay, index); }
    std::string label(int32_t index) { return text(&APlugin::getParameterLabel, index); }
};

TEST_F(ParameterTexts, NamesAreWrittenWhole) {
    const char* names[] = {"Center",      "Width",     "Spread",  "Zindra Mix",
                           "Humidity",    "Hi-Res",    "Bypass",  "Zindra-cate!",
                           "Stereolize!", "Pass Thru", "Isolate", "Spreadilate!"};
    for (int32_t i = 0; i < APlugin::kNumParams; ++i) {
        EXPECT_EQ(name(i), names[i]);
        EXPECT_EQ(label(i), "%");
    }
}

TEST_F(ParameterTexts, UnknownIndicesAnswerUndefined) {
    EXPECT_EQ(plugin.getParameter(12), 0.0f);
    EXPECT_EQ(plugin.getParameter(-1), 0.0f);
    EXPECT_EQ(name(12), "undefined");
    EXPECT_EQ(display(12), "undefined");
    EXPECT_EQ(display(-1), "undefined");
    EXPECT_EQ(label(12), "%");
    EXPECT_EQ(label(-5), "%");
    EXPECT_EQ(name(-1), std::string(63, 'x')) << "a negative index leaves the buffer alone";
}

TEST_F(ParameterTexts, NullBuffersAreNeverWritten) {
    plugin.getParameterName(0, nullptr);
    plugin.getParameterName(12, nullptr);
    plugin.getParameterDisplay(0, nullptr);
    plugin.getParameterDisplay(12, nullptr);
    plugin.getParameterLabel(0, nullptr);
}

TEST_F(ParameterTexts, DisplayShowsTwoDecimalsWithAPoint) {
    platform::setEnvironmentVariable("LC_ALL", "C");
    if (platform::userDecimalSeparator() != ".") GTEST_SKIP() << "the user's locale is fixed here";
    EXPECT_EQ(display(APlugin::kCenter), "0.22") << "0.215";
    EXPECT_EQ(display(APlugin::kSpread), "0.10") << "0.104";
    EXPECT_EQ(display(APlugin::kMix), "1.00");
    EXPECT_EQ(display(APlugin::kBypass), "0.00");
    plugin.setParameter(APlugin::kHumidity, 0.335f);
    EXPECT_EQ(display(APlugin::kHumidity), "0.34");
}

TEST_F(ParameterTexts, DisplayUsesTheUsersCommaSeparator) {
    platform::setEnvironmentVariable("LC_ALL", "de_DE.UTF-8");
    if (platform::userDecimalSeparator() != ",")
        GTEST_SKIP() << "no locale with a decimal comma can be selected here";
    EXPECT_EQ(display(APlugin::kCenter), "0,22");
    EXPECT_EQ(display(APlugin::kMix), "1,00");
    EXPECT_EQ(display(APlugin::kHiRes), "0,00");
}

}  // namespace
