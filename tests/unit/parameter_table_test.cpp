// The parameter table's texts: what a value reads as, and what a typed text
// means, agree for every parameter of the table.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "core/ZindraParameters.h"
#include "core/deep/DeepParameters.h"

namespace {

TEST(ParameterTable, EveryReadoutReadsBackAsItsValue) {
    std::vector<core::ParameterInfo> rows(std::begin(zindra::kParameters),
                                          std::end(zindra::kParameters));
    rows.insert(rows.end(), std::begin(deep::kParameters), std::end(deep::kParameters));
    for (const core::ParameterInfo& p : rows) {
        // The readout's own resolution: one unit (hertz, percent, dB, ms), or on/off.
        const double step = 1.0 / p.unitsPerValue();
        for (const float v : {0.0f, 0.215f, 0.5f, 0.75f, 1.0f}) {
            const std::string text = core::readoutText(p, v);
            float back = -1.0f;
            ASSERT_TRUE(core::valueFromText(p, text, back)) << p.name << " " << text;
            if (p.isSwitch())
                EXPECT_EQ(back, static_cast<float>(core::switchState(v))) << p.name << " " << text;
            else
                EXPECT_NEAR(back, v, step / 2 + 1e-6) << p.name << " " << text;
        }
    }
}

TEST(ParameterTable, TypedTextsAreHeldToTheRangeAndNonsenseIsRefused) {
    const auto& center = zindra::kParameters[zindra::kCenter];
    const auto& mix = zindra::kParameters[zindra::kMix];
    const auto& bypass = zindra::kParameters[zindra::kBypass];
    float v = -1.0f;
    EXPECT_TRUE(core::valueFromText(center, " 4300hz ", v));
    EXPECT_FLOAT_EQ(v, 0.215f);
    EXPECT_TRUE(core::valueFromText(center, "90000 Hz", v));
    EXPECT_EQ(v, 1.0f);
    EXPECT_TRUE(core::valueFromText(mix, "10", v));
    EXPECT_FLOAT_EQ(v, 0.1f);
    EXPECT_TRUE(core::valueFromText(mix, "-5 %", v));
    EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(core::valueFromText(bypass, "ON", v));
    EXPECT_EQ(v, 1.0f);
    EXPECT_TRUE(core::valueFromText(bypass, "0", v));
    EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(core::valueFromText(deep::kParameters[deep::kDepth], "30dB", v));
    EXPECT_FLOAT_EQ(v, 0.5f);
    EXPECT_TRUE(core::valueFromText(deep::kParameters[deep::kSmoothing], "250 MS", v));
    EXPECT_FLOAT_EQ(v, 0.5f);
    v = 0.25f;
    for (const char* nonsense : {"", "Hz", "loud", "10 Hz", "nan", "1e999", "4300 Hz %"})
        EXPECT_FALSE(core::valueFromText(mix, nonsense, v)) << nonsense;
    EXPECT_FALSE(core::valueFromText(center, "10 %", v));
    EXPECT_FALSE(core::valueFromText(bypass, "maybe", v));
    EXPECT_EQ(v, 0.25f) << "a refused text leaves the value alone";
}

}  // namespace
