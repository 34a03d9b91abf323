// Complex arithmetic, magnitudes and polar form against double-precision
// references.
#include "dsp/VCFmath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "tests/unit/dsp_reports.h"
#include "tests/unit/ulps.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<ComplexF> randomComplex(size_t n, unsigned seed, float scale = 1.0f) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-scale, scale);
    std::vector<ComplexF> v(n);
    for (auto& c : v) c = ComplexF{value(random), value(random)};
    return v;
}

uint32_t bitsOf(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

float magnitudeReference(ComplexF x) {
    return static_cast<float>(std::sqrt(double{x.re} * x.re + double{x.im} * x.im));
}

TEST(VCFmath, ElementWiseArithmeticMatchesDoublePrecisionAndAllowsAliasing) {
    const uint32_t n = 37;  // a remainder after whole vector steps
    const auto x = randomComplex(n, 1), y = randomComplex(n, 2);
    std::vector<float> real(n);
    for (uint32_t i = 0; i < n; ++i) real[i] = x[i].re * 3.0f;
    const ComplexF a{0.75f, -1.25f}, b{0.5f, 2.0f};

    std::vector<ComplexF> diff = x;
    cfsubv(diff.data(), diff.data(), y.data(), n);  // Z is X
    std::vector<ComplexF> scaled = x;
    cfmulReV(scaled.data(), scaled.data(), real.data(), n);
    std::vector<ComplexF> mixed = y;
    cfxaddv(mixed.data(), x.data(), mixed.data(), n, a, b);  // Z is Y
    for (uint32_t i = 0; i < n; ++i) {
        EXPECT_EQ(diff[i].re, x[i].re - y[i].re);
        EXPECT_EQ(diff[i].im, x[i].im - y[i].im);
        EXPECT_EQ(scaled[i].re, static_cast<float>(double{x[i].re} * real[i]));
        EXPECT_EQ(scaled[i].im, static_cast<float>(double{x[i].im} * real[i]));
        const double re = double{a.re} * x[i].re - double{a.im} * x[i].im + b.re + y[i].re;
        const double im = double{a.re} * x[i].im + double{a.im} * x[i].re + b.im + y[i].im;
        EXPECT_EQ(mixed[i].re, static_cast<float>(re)) << i;
        EXPECT_EQ(mixed[i].im, static_cast<float>(im)) << i;
    }
}

TEST(VCFmath, StridedAddTouchesOnlyEveryStrideThElement) {
    std::vector<ComplexF> z(10, ComplexF{1, 1});
    const ComplexF y[4] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    cfsvaddV(z.data(), 4, 3, y);
    for (uint32_t i = 0; i < 10; ++i) {
        const bool hit = i % 3 == 0;
        EXPECT_EQ(z[i].re, hit ? 1 + y[i / 3].re : 1) << i;
        EXPECT_EQ(z[i].im, hit ? 1 + y[i / 3].im : 1) << i;
    }
}

TEST(VCFmath, RoutinesForAtLeastOneElementProcessOneWhenGivenZero) {
    ComplexF z[2] = {{1, 1}, {1, 1}};
    const ComplexF x[2] = {{2, 3}, {4, 5}};
    const float y[2] = {2, 2};
    cfmulReV(z, x, y, 0);
    EXPECT_EQ(z[0].re, 4);
    EXPECT_EQ(z[1].re, 1);
    float m[2] = {-1, -1};
    cfabs(m, x, 0);
    EXPECT_EQ(m[0], magnitudeReference(x[0]));
    EXPECT_EQ(m[1], -1);
}

TEST(VCFmath, MagnitudesAreTheDoublePrecisionValueRoundedOnce) {
    VecLibReports reports;
    auto x = randomComplex(1001, 3, 1e6f);
    x[5] = ComplexF{3e-39f, -4e-39f};  // subnormal parts
    x[6] = ComplexF{-0.0f, 0.0f};
    x[7] = ComplexF{1e30f, 1e30f};  // squares beyond the float range, magnitude not
    std::vector<float> m(x.size());
    EXPECT_EQ(cfabs(m.data(), x.data(), static_cast<uint32_t>(x.size())), 0);
    for (size_t i = 0; i < x.size(); ++i) ASSERT_EQ(m[i], magnitudeReference(x[i])) << i;
    EXPECT_TRUE(reports.texts().empty());
}

TEST(VCFmath, MagnitudeOverflowGivesTheLargestFloatAndIsReportedOnceForTheAudioThread) {
    VecLibReports reports;
    std::vector<ComplexF> x = randomComplex(9, 4);
    x[2] = ComplexF{3e38f, 3e38f};
    x[7] = ComplexF{-FLT_MAX, FLT_MAX};
    x[8] = ComplexF{kInf, 1.0f};  // infinite input: infinite magnitude, no overflow
    std::vector<float> m(x.size());
    EXPECT_EQ(cfabs(m.data(), x.data(), 9), 1);
    EXPECT_EQ(bitsOf(m[2]), 0x7F7FFFFFu);
    EXPECT_EQ(bitsOf(m[7]), 0x7F7FFFFFu);
    EXPECT_EQ(m[8], kInf);
    for (size_t i : {0, 1, 3, 4, 5, 6}) EXPECT_EQ(m[i], magnitudeReference(x[i]));
    EXPECT_EQ(cfabs(m.data(), x.data(), 9), 1);  // the same report again: not shown

    const auto taken = reports.taken();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].text, "VCF_abs: OVERFLOW error");
    EXPECT_TRUE(taken[0].mayBeAudioThread);

    const ComplexF edge[2] = {{kInf, kNaN}, {kNaN, 0.0f}};
    EXPECT_EQ(cfabs(m.data(), edge, 2), 0);
}

TEST(VCFmath, PolarFormOfZeroesAndAxes) {
    const ComplexF x[8] = {{0.0f, 0.0f},   {-0.0f, 0.0f}, {0.0f, -0.0f}, {-1.0f, 0.0f},
                           {-1.0f, -0.0f}, {0.0f, 2.0f},  {0.0f, -2.0f}, {5.0f, 0.0f}};
    float mag[8], arg[8];
    fc2pol(mag, arg, x, 8);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bitsOf(mag[i]), 0u) << i;
        EXPECT_EQ(bitsOf(arg[i]), 0u) << i;
    }
    EXPECT_EQ(arg[3], static_cast<float>(kPi));
    EXPECT_EQ(arg[4], -static_cast<float>(kPi));
    EXPECT_EQ(arg[5], static_cast<float>(kPi / 2));
    EXPECT_EQ(arg[6], -static_cast<float>(kPi / 2));
    EXPECT_EQ(arg[7], 0.0f);
    EXPECT_EQ(mag[6], 2.0f);
}

// Angles over all octants and over magnitudes from 1e-30 to 1e30, with
// parts of very different sizes: the angle stays within 3 units in the last
// place of double-precision atan2 rounded to single, the magnitude is exact.
TEST(VCFmath, PolarFormIsWithinThreeUlpsOfDoublePrecisionAtan2) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(-1, 1), exponent(-30, 30);
    std::vector<ComplexF> x(400000);
    for (size_t i = 0; i < x.size(); ++i) {
        const double scale = std::pow(10.0, exponent(random));
        const double skew = i % 5 == 0 ? 1e-6 : (i % 7 == 0 ? 1e6 : 1.0);
        x[i] = ComplexF{static_cast<float>(unit(random) * scale),
                        static_cast<float>(unit(random) * scale * skew)};
    }
    x[3] = ComplexF{kInf, 1.0f};  // the slow path in the middle of a vector
    x[9] = ComplexF{kNaN, 1.0f};
    std::vector<float> mag(x.size()), arg(x.size());
    fc2pol(mag.data(), arg.data(), x.data(), static_cast<uint32_t>(x.size()));
    int64_t worst = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        const float want = static_cast<float>(std::atan2(double{x[i].im}, double{x[i].re}));
        if (std::isnan(want)) {
            EXPECT_TRUE(std::isnan(arg[i]));
            continue;
        }
        worst = std::max(worst, ulpsApart(arg[i], want));
        ASSERT_EQ(mag[i], magnitudeReference(x[i])) << i;
    }
    EXPECT_LE(worst, 3);
    RecordProperty("worst_angle_ulps", static_cast<int>(worst));
}

TEST(VCFmath, RectangularFormOfUnrotatedAngles) {
    const float mag[8] = {2.5f, -3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9.0f};
    const float arg[8] = {0.0f, -0.0f, kNaN, 4294967296.0f, -5e9f, 4294967040.0f, 1.0f, 0.0f};
    ComplexF z[8];
    fpol2c(z, mag, arg, 8);
    for (int i : {0, 1, 2, 3, 4, 7}) {
        EXPECT_EQ(z[i].re, mag[i]) << i;
        EXPECT_EQ(bitsOf(z[i].im), 0u) << i;
    }
    // Just below 2^32 the angle still turns the vector.
    EXPECT_EQ(z[5].re, static_cast<float>(7.0 * std::cos(4294967040.0)));
    EXPECT_EQ(z[5].im, static_cast<float>(7.0 * std::sin(4294967040.0)));
}

// Each part within 2 units in the last place of the double-precision product
// rounded to single, over angles up to 128 in size (the fast range) and beyond.
TEST(VCFmath, RectangularFormIsWithinTwoUlpsOfDoublePrecisionSineAndCosine) {
    std::mt19937 random(12);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (double range : {kPi, 128.0, 1e6}) {
        std::vector<float> mag(200000), arg(200000);
        for (size_t i = 0; i < mag.size(); ++i) {
            mag[i] = static_cast<float>(1.5 + unit(random));
            arg[i] = static_cast<float>(range * unit(random));
        }
        arg[10] = static_cast<float>(kPi / 2);  // cosine next to zero
        arg[11] = static_cast<float>(-kPi);
        std::vector<ComplexF> z(mag.size());
        fpol2c(z.data(), mag.data(), arg.data(), static_cast<uint32_t>(mag.size()));
        int64_t worst = 0;
        for (size_t i = 0; i < mag.size(); ++i) {
            const double m = mag[i], a = arg[i];
            worst = std::max({worst, ulpsApart(z[i].re, static_cast<float>(m * std::cos(a))),
                              ulpsApart(z[i].im, static_cast<float>(m * std::sin(a)))});
        }
        EXPECT_LE(worst, 2) << "angles up to " << range;
    }
}

TEST(VCFmath, PolarThenRectangularGivesTheVectorBack) {
    const auto x = randomComplex(1003, 13, 100.0f);
    std::vector<float> mag(x.size()), arg(x.size());
    std::vector<ComplexF> z(x.size());
    const auto n = static_cast<uint32_t>(x.size());
    fc2pol(mag.data(), arg.data(), x.data(), n);
    fpol2c(z.data(), mag.data(), arg.data(), n);
    for (uint32_t i = 0; i < n; ++i) {
        const double tolerance = 8 * std::ldexp(double{mag[i]}, -24);
        EXPECT_NEAR(z[i].re, x[i].re, tolerance) << i;
        EXPECT_NEAR(z[i].im, x[i].im, tolerance) << i;
    }
}

}  // namespace
