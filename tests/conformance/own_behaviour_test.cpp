// Each effect's own behaviour through the record: Zindra's two-decimal texts
// and its "Spread", Zindra Deep's readouts for texts. A test of one effect's
// behaviour is skipped for the other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conformance/HostedEffect.h"
#include "platform/system.h"

namespace {

constexpr const char* kNotThisEffect = "another effect's own behaviour";

// Texts for hosts, under the user's own locale.

class Display : public Instance {
protected:
    void TearDown() override {
        platform::setEnvironmentVariable("LC_ALL", "");
        Instance::TearDown();
    }
};

TEST_F(Display, TwoDecimalsWithAPoint) {
    if (!underTest(kZindra)) GTEST_SKIP() << kNotThisEffect;
    platform::setEnvironmentVariable("LC_ALL", "C");
    if (platform::userDecimalSeparator() != ".") GTEST_SKIP() << "the user's locale is fixed here";
    EXPECT_EQ(text(effGetParamDisplay, 0), "0.22");
    EXPECT_EQ(text(effGetParamDisplay, 2), "0.10");
    EXPECT_EQ(text(effGetParamDisplay, 3), "1.00");
    EXPECT_EQ(text(effGetParamDisplay, 6), "0.00");
}

TEST_F(Display, TheUsersCommaSeparator) {
    if (!underTest(kZindra)) GTEST_SKIP() << kNotThisEffect;
    platform::setEnvironmentVariable("LC_ALL", "de_DE.UTF-8");
    if (platform::userDecimalSeparator() != ",")
        GTEST_SKIP() << "no locale with a decimal comma can be selected here";
    EXPECT_EQ(text(effGetParamDisplay, 0), "0,22");
    EXPECT_EQ(text(effGetParamDisplay, 4), "1,00");
}

// Zindra Deep shows the editor's readout without its unit (the unit is the
// label beside it): whole numbers, the same under any locale, and "on" or
// "off" for the switch, 0.5 being "off".
TEST_F(Display, TheReadoutNumbers) {
    if (!underTest(kDeep)) GTEST_SKIP() << kNotThisEffect;
    const auto texts = [this] {
        std::vector<std::string> all;
        for (int32_t i = 0; i < expected().numParams; ++i)
            all.push_back(text(effGetParamDisplay, i));
        return all;
    };
    using Texts = std::vector<std::string>;
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        platform::setEnvironmentVariable("LC_ALL", locale);
        send(effect, effSetProgram, 0, 0);
        EXPECT_EQ(texts(), (Texts{"40", "15", "60", "1500", "120", "20000", "100", "off"}))
            << locale;
        send(effect, effSetProgram, 0, 4);
        effect->setParameter(effect, deep::kDepth, 0.5f);
        effect->setParameter(effect, deep::kHighKeep, 0.0f);
        effect->setParameter(effect, deep::kMix, 0.125f);
        EXPECT_EQ(texts(), (Texts{"30", "15", "20", "0", "120", "0", "12", "on"})) << locale;
        effect->setParameter(effect, deep::kIsolate, 0.5f);
        EXPECT_EQ(text(effGetParamDisplay, deep::kIsolate), "off") << locale;
        effect->setParameter(effect, deep::kIsolate, 0.51f);
        EXPECT_EQ(text(effGetParamDisplay, deep::kIsolate), "on") << locale;
    }
}

// Zindra's separation, heard through the record. "Spread" 0 with
// "Spreadilate!" selects the bins whose left and right magnitudes are equal:
// for identical channels every bin. Without "Zindra-cate!" they are all
// removed, with it all kept. Programs 1 and 6 ("Vocal Out - Mode 2", with
// "Pass Thru") at both frame sizes.
TEST_F(Audio, SpreadZeroFindsEveryBinOfIdenticalChannels) {
    if (!underTest(kZindra)) GTEST_SKIP() << kNotThisEffect;
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

}  // namespace
