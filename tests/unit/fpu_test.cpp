// The floating-point environment: exceptions are masked once the code is
// loaded, and the guard used at every entry point restores what the caller had.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include "platform/fpu.h"

namespace {

TEST(FloatingPoint, ExceptionsAreMaskedOnTheLoadingThread) {
    EXPECT_FALSE(platform::anyFloatingPointExceptionUnmasked());
}

TEST(FloatingPoint, GuardMasksAndSelectsNearestThenRestoresTheCaller) {
    const unsigned int original = _mm_getcsr();
    // A host that traps division by zero and rounds toward zero.
    _mm_setcsr((original & ~0x0200u) | 0x6000u);
    {
        platform::FloatEnvironmentGuard guard;
        EXPECT_FALSE(platform::anyFloatingPointExceptionUnmasked());
        EXPECT_EQ(_mm_getcsr() & 0x6000u, 0u);
        volatile float zero = 0.0f;
        volatile float infinity = 1.0f / zero;  // would trap without the guard
        EXPECT_TRUE(infinity > 1e38f);
    }
    EXPECT_EQ(_mm_getcsr() & 0x7F80u, ((original & ~0x0200u) | 0x6000u) & 0x7F80u);
    _mm_setcsr(original);
}

TEST(FloatingPoint, OverflowFlagCanBeReadAndCleared) {
    platform::clearOverflowFlag();
    EXPECT_FALSE(platform::overflowFlagRaised());
    volatile float big = 3e38f;
    volatile float product = big * 10.0f;
    (void)product;
    EXPECT_TRUE(platform::overflowFlagRaised());
    platform::clearOverflowFlag();
    EXPECT_FALSE(platform::overflowFlagRaised());
}

}  // namespace
