// Complex vectors: fills, copies with overlap, strided copies as shifts.
#include "dsp/VCFstd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<ComplexF> ramp(size_t n) {
    std::vector<ComplexF> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = fcplx(static_cast<float>(i), -static_cast<float>(i));
    return v;
}

void expectRamp(const ComplexF* z, size_t count, float first, const char* what) {
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(z[i].re, first + static_cast<float>(i)) << what << " at " << i;
        EXPECT_EQ(z[i].im, -(first + static_cast<float>(i))) << what << " at " << i;
    }
}

TEST(VCFstd, ZeroFillAndElementAddresses) {
    auto v = ramp(9);
    dequ0(v.data() + 1, 7);
    EXPECT_EQ(v[0].re, 0.0f);
    for (int i = 1; i < 8; ++i) EXPECT_TRUE(v[i].re == 0.0f && v[i].im == 0.0f);
    EXPECT_EQ(v[8].re, 8.0f);
    EXPECT_EQ(dpelem(v.data(), 3), &v[3]);
}

TEST(VCFstd, CopyActsAsIfThroughATemporaryWhenTheRangesOverlap) {
    auto down = ramp(20);
    dequv(down.data(), down.data() + 5, 15);
    expectRamp(down.data(), 15, 5.0f, "copy down");
    auto up = ramp(20);
    dequv(up.data() + 5, up.data(), 15);
    expectRamp(up.data() + 5, 15, 0.0f, "copy up");
    auto same = ramp(4);
    dequv(same.data(), same.data(), 4);
    expectRamp(same.data(), 4, 0.0f, "copy onto itself");
}

TEST(VCFstd, StridedCopyRunsInIncreasingOrderSoALowerTargetShifts) {
    // The engine's accumulator shift: z[k] = z[k + quarter] in increasing k.
    auto v = ramp(16);
    dsvequV(v.data(), 12, 1, v.data() + 4);
    expectRamp(v.data(), 12, 4.0f, "shift");
    expectRamp(v.data() + 12, 4, 12.0f, "untouched tail");

    std::vector<ComplexF> z(7, fcplx(-1, -1));
    const auto x = ramp(3);
    dsvequV(z.data(), 3, 3, x.data());
    for (int i = 0; i < 7; ++i) EXPECT_EQ(z[i].re, i % 3 == 0 ? static_cast<float>(i / 3) : -1.0f);
}

TEST(VCFstd, InterleavesRealAndImaginaryParts) {
    const float re[5] = {1, 2, 3, 4, 5}, im[5] = {-1, -2, -3, -4, -5};
    std::vector<ComplexF> z(6, fcplx(9, 9));
    freim2c(z.data(), re, im, 5);
    expectRamp(z.data(), 5, 1.0f, "interleaved");
    EXPECT_EQ(z[5].re, 9.0f);
    freim2c(z.data() + 5, re, im, 0);  // at least one element
    EXPECT_EQ(z[5].re, 1.0f);
}

}  // namespace
