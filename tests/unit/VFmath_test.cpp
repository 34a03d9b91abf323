// Real vectors: fills, strided fills, mirror, difference, Hann window and the
// range test.
#include "dsp/VFmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/VFstd.h"

namespace {

TEST(VFstd, FillsTouchExactlyTheirElements) {
    std::vector<float> x(11, 7.0f);
    fequ0(x.data(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(x[i], 0.0f);
    EXPECT_EQ(x[10], 7.0f);
    fequ1(x.data() + 1, 9);
    EXPECT_EQ(x[0], 0.0f);
    for (int i = 1; i < 10; ++i) EXPECT_EQ(x[i], 1.0f);
    EXPECT_EQ(x[10], 7.0f);
    fequ0(x.data(), 0);  // nothing for zero
    EXPECT_EQ(x[1], 1.0f);
    EXPECT_EQ(fpelem(x.data(), 4), &x[4]);
}

TEST(VFstd, StridedFillWritesEveryStrideThElementAndAtLeastOne) {
    std::vector<float> x(10, 0.0f);
    fsvequC(x.data(), 4, 3, 2.5f);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(x[i], i % 3 == 0 ? 2.5f : 0.0f) << i;
    fsvequC(x.data() + 1, 0, 1, 9.0f);  // n = 0 still writes one element
    EXPECT_EQ(x[1], 9.0f);
    EXPECT_EQ(x[2], 0.0f);
}

TEST(VFstd, ReflectMirrorsTheFirstHalfAndLeavesAnOddMiddle) {
    std::vector<float> even = {1, 2, 3, 0, 0, 0};
    freflect(even.data(), 6);
    EXPECT_EQ(even, (std::vector<float>{1, 2, 3, 3, 2, 1}));
    std::vector<float> odd = {1, 2, 5, 0, 0};
    freflect(odd.data(), 5);
    EXPECT_EQ(odd, (std::vector<float>{1, 2, 5, 2, 1}));
}

TEST(VFmath, DifferenceMayOverwriteEitherOperand) {
    std::vector<float> x = {5, 4, 3, 2, 1, 0.5f, 0.25f}, y = {1, 1, 1, 1, 1, 1, 1};
    std::vector<float> z = x;
    fsubv(z.data(), z.data(), y.data(), 7);
    std::vector<float> w = y;
    fsubv(w.data(), x.data(), w.data(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(z[i], x[i] - 1.0f);
        EXPECT_EQ(w[i], x[i] - 1.0f);
    }
}

TEST(VFmath, HannWindowOf4096IsSymmetricWithZeroEnds) {
    const uint32_t n = 4096;
    std::vector<float> w(n);
    fHanning(w.data(), n);
    EXPECT_EQ(w[0], 0.0f);
    EXPECT_EQ(w[n - 1], 0.0f);
    EXPECT_EQ(w[2047], w[2048]);
    float largest = 0.0f;
    for (uint32_t k = 0; k < n; ++k) {
        largest = std::max(largest, w[k]);
        ASSERT_EQ(w[k], w[n - 1 - k]) << k;
    }
    EXPECT_LT(largest, 1.0f);
    EXPECT_GT(largest, 0.9999998f);
    const double step = 2 * 3.14159265358979323846 / (n - 1);
    for (uint32_t k = 0; k < n / 2; ++k)
        ASSERT_EQ(w[k], static_cast<float>(0.5 * (1 - std::cos(step * k)))) << k;
}

TEST(VFmath, HannWindowOfOddLengthPeaksAtOneInTheMiddle) {
    std::vector<float> w(5);
    fHanning(w.data(), 5);
    EXPECT_EQ(w, (std::vector<float>{0.0f, 0.5f, 1.0f, 0.5f, 0.0f}));
}

TEST(VFmath, RangeTestIsInclusiveInIeeeOrderAndCountsItsHits) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float x[9] = {-0.0f, 0.0f, 0.25f, 0.5f, 0.5000001f, -1e-10f, nan, 1.0f, 0.4999999f};
    float z[9];
    EXPECT_EQ(fcmpicc(z, x, 9, 0.5f, 0.5f), 1u);  // lo = hi selects exactly the equal entries
    for (int i = 0; i < 9; ++i) EXPECT_EQ(z[i], i == 3 ? 1.0f : 0.0f) << i;

    EXPECT_EQ(fcmpicc(z, x, 9, -1e-12f, 0.5f), 5u);  // -0 and +0 both lie above -1e-12
    const float want[9] = {1, 1, 1, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(z[i], want[i]) << i;

    EXPECT_EQ(fcmpicc(z, x, 2, 0.0f, 0.0f), 2u);  // -0 equals +0 as a bound too
    EXPECT_EQ(fcmpicc(z, x, 0, 0.0f, 1.0f), 0u);
}

}  // namespace
