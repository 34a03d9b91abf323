// The fast decibel approximation used by the spectrum display.
#include "dsp/Vst_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(VstMath, FastDbGivesTheDisplayValuesOfTheApproximation) {
    EXPECT_NEAR(fastDb(1.0f), -0.0000077f, 0.0000001f);
    EXPECT_NEAR(fastDb(0.5f), -6.020f, 0.0005f);
    EXPECT_NEAR(fastDb(0.1f), -20.47f, 0.005f);
    EXPECT_NEAR(fastDb(0.001f), -60.06f, 0.005f);
    EXPECT_NEAR(fastDb(0.0f), -764.54f, 0.005f);
    EXPECT_NEAR(fastLn(1.0f), 0.0451, 0.0001);
}

TEST(VstMath, FastDbStaysWithinAboutHalfADecibelOfTwentyLog10) {
    for (float x = 1e-6f; x < 1e6f; x *= 1.01f)
        ASSERT_NEAR(fastDb(x), 20.0 * std::log10(static_cast<double>(x)), 0.55) << x;
}

TEST(VstMath, FastDbIsMonotonicOverPositiveValues) {
    float previous = fastDb(0.0f);
    for (float x = 1e-30f; x < 1e30f; x *= 1.7f) {
        const float db = fastDb(x);
        ASSERT_GE(db, previous) << x;
        previous = db;
    }
}

}  // namespace
