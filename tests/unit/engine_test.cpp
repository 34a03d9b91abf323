// The frame engine as a host hears it: latency, the dry and wet paths, the
// reset at the start of a block, block-size independence and accumulation.
#include <gtest/gtest.h>

#include "support/EngineHarness.h"

namespace {

namespace P = zindra;

constexpr size_t kLatency = 8192;

Stereo impulseAt(size_t n, size_t position) {
    Stereo x(n);
    x.left[position] = 1.0f;
    x.right[position] = -0.5f;
    return x;
}

Stereo musicInput(size_t n) {
    Stereo x(n);
    x.left = signals::music(n, 44100.0, 1);
    x.right = signals::music(n, 44100.0, 2);
    for (size_t i = 0; i < n; ++i) x.right[i] *= 0.7f;
    return x;
}

class BothFrameSizes : public testing::TestWithParam<float> {};

TEST_P(BothFrameSizes, DryPathIsTheInputDelayedBy8192) {
    EngineHarness engine;
    engine.set({{P::kHumidity, 0.0f}, {P::kHiRes, GetParam()}});
    const Stereo input = musicInput(30000);
    const Stereo output = engine.run(input, {333});
    const float offset = static_cast<float>(-1e-20);
    for (size_t i = 0; i < kLatency; ++i) {
        ASSERT_EQ(output.left[i], offset) << i;
        ASSERT_EQ(output.right[i], offset) << i;
    }
    for (size_t i = kLatency; i < input.size(); ++i) {
        ASSERT_NEAR(output.left[i], input.left[i - kLatency], 1e-7) << i;
        ASSERT_NEAR(output.right[i], input.right[i - kLatency], 1e-7) << i;
    }
}

TEST_P(BothFrameSizes, AnImpulseComesOutAt8192AndNowhereElse) {
    for (auto setting : {std::pair{P::kHumidity, 0.0f}, std::pair{P::kBypass, 1.0f}}) {
        EngineHarness engine;
        engine.set({setting, {P::kHiRes, GetParam()}});
        const Stereo output = engine.run(impulseAt(20000, 0), {4096});
        size_t peak = 0;
        for (size_t i = 0; i < output.size(); ++i)
            if (std::abs(output.left[i]) > std::abs(output.left[peak])) peak = i;
        EXPECT_EQ(peak, kLatency);
        EXPECT_GT(output.left[kLatency], 0.99f);
        EXPECT_NEAR(output.right[kLatency], -0.5f * output.left[kLatency], 1e-6);
        for (size_t i = 0; i < output.size(); ++i)
            if (i != kLatency) {
                ASSERT_LT(std::abs(output.left[i]), 1e-6) << "sample " << i;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Engine, BothFrameSizes, testing::Values(0.0f, 1.0f),
                         [](const auto& info) { return info.param > 0.5f ? "N8192" : "N4096"; });

TEST(Engine, BypassGainIsTheOverlapAddGainOfTheWindow) {
    struct Case {
        float hiRes;
        double low, high;
    };
    for (const Case& c : {Case{0.0f, 0.99974, 0.99977}, Case{1.0f, 0.99987, 0.99989}}) {
        EngineHarness engine;
        engine.set({{P::kBypass, 1.0f}, {P::kHiRes, c.hiRes}});
        Stereo dc(40000);
        std::fill(dc.left.begin(), dc.left.end(), 0.5f);
        std::fill(dc.right.begin(), dc.right.end(), -0.25f);
        const Stereo output = engine.run(dc, {1000});
        // Once the frames cover the whole window, the gain is steady.
        for (size_t i = kLatency + 8192; i < output.size(); ++i) {
            const double gain = output.left[i] / 0.5;
            ASSERT_GE(gain, c.low) << i;
            ASSERT_LE(gain, c.high) << i;
            ASSERT_NEAR(output.right[i] / -0.25, gain, 1e-5);
        }
    }
}

TEST(Engine, OutputDoesNotDependOnHowTheHostCutsBlocks) {
    const Stereo input = musicInput(40000);
    for (float hiRes : {0.0f, 1.0f}) {
        EngineHarness whole;
        whole.set({{P::kHiRes, hiRes}});
        const Stereo expected = whole.run(input, {40000});
        for (const std::vector<int32_t>& blocks : std::vector<std::vector<int32_t>>{
                 {1}, {7}, {1000}, {4096}, {1, 7, 1000, 4096, 3, 64}}) {
            EngineHarness cut;
            cut.set({{P::kHiRes, hiRes}});
            const Stereo output = cut.run(input, blocks);
            ASSERT_EQ(output.left, expected.left) << "first block size " << blocks[0];
            ASSERT_EQ(output.right, expected.right);
        }
    }
}

TEST(Engine, AccumulatingModeAddsToWhatTheBuffersHold) {
    const Stereo input = musicInput(20000);
    EngineHarness replacing;
    const Stereo alone = replacing.run(input);
    Stereo existing(input.size());
    for (size_t i = 0; i < existing.size(); ++i) {
        existing.left[i] = 0.25f;
        existing.right[i] = -0.125f;
    }
    EngineHarness accumulating;
    const Stereo sum = accumulating.run(input, {512}, false, &existing);
    for (size_t i = 0; i < input.size(); ++i) {
        ASSERT_NEAR(sum.left[i], alone.left[i] + 0.25f, 1e-6) << i;
        ASSERT_NEAR(sum.right[i], alone.right[i] - 0.125f, 1e-6) << i;
    }
}

TEST(Engine, InputAndOutputMayBeTheSameMemory) {
    const Stereo input = musicInput(20000);
    EngineHarness separate;
    const Stereo expected = separate.run(input);
    EngineHarness inPlace;
    Stereo buffer = input;
    for (size_t pos = 0; pos < buffer.size(); pos += 500) {
        float* channels[2] = {buffer.left.data() + pos, buffer.right.data() + pos};
        inPlace.plugin->processReplacing(channels, channels, 500);
    }
    EXPECT_EQ(buffer.left, expected.left);
    EXPECT_EQ(buffer.right, expected.right);
}

// A host sets a program (which asks for a reset) and starts from sample 0:
// the call that carries out the reset processes its block as the first one
// after the reset, in both entry points and whatever the block size.
TEST(Engine, TheResetCallClearsTheEngineAndProcessesItsBlock) {
    for (bool replacing : {true, false}) {
        for (int32_t block : {8192, 64}) {
            EngineHarness engine;
            engine.set({{P::kHumidity, 0.0f}});
            engine.run(musicInput(10000), {512}, replacing);
            engine.plugin->setParameter(P::kHiRes, 0.0f);  // same size, still a reset
            ASSERT_TRUE(engine.plugin->isResetPending());

            const Stereo output = engine.run(impulseAt(20000, 0), {block}, replacing);
            EXPECT_FALSE(engine.plugin->isResetPending());
            // Nothing of the music before the reset is left, and the first
            // input sample leaves 8192 samples after it entered.
            for (size_t i = 0; i < kLatency; ++i)
                ASSERT_EQ(output.left[i], static_cast<float>(-1e-20)) << block << " at " << i;
            EXPECT_NEAR(output.left[kLatency], 1.0f, 1e-6) << block;
            EXPECT_NEAR(output.right[kLatency], -0.5f, 1e-6) << block;
        }
    }
}

TEST(Engine, TheResetClearsTheDisplayedSpectrum) {
    EngineHarness engine;
    engine.run(musicInput(10000));
    std::vector<float> magnitudes(4097);
    engine.plugin->copyMagnitudes(magnitudes.data(), nullptr, 4097);
    EXPECT_GT(*std::max_element(magnitudes.begin(), magnitudes.end()), 1.0f);
    engine.plugin->setProgram(0);
    engine.run(musicInput(256), {256});  // shorter than the first hop
    engine.plugin->copyMagnitudes(magnitudes.data(), nullptr, 4097);
    EXPECT_EQ(*std::max_element(magnitudes.begin(), magnitudes.end()), 0.0f);
}

TEST(Engine, FramesRunOnTheQuarterFrameGrid) {
    // Frames run after every quarter frame of samples from the reset on. With
    // N = 8192 the ring adds no delay, so the first frame (after 2048 samples)
    // already holds input; with N = 4096 input reaches the frames 4096 samples
    // later, first in the frame after sample 5120. Silence carries the
    // anti-denormal offset, which makes a frame of input visible.
    for (auto [hiRes, firstVisible] : {std::pair{0.0f, 5120}, std::pair{1.0f, 2048}}) {
        // Set as a host sets them, just before the first block, which
        // carries out the reset they ask for.
        EngineHarness engine;
        engine.plugin->setParameter(P::kHiRes, hiRes);
        engine.plugin->setParameter(P::kBypass, 1.0f);
        std::vector<float> magnitudes(4097);
        engine.run(Stereo(static_cast<size_t>(firstVisible - 1)), {firstVisible - 1});
        engine.plugin->copyMagnitudes(magnitudes.data(), nullptr, 4097);
        EXPECT_EQ(magnitudes[0], 0.0f) << "after " << firstVisible - 1 << " samples";
        engine.run(Stereo(1), {1});
        const int32_t bins = engine.plugin->copyMagnitudes(magnitudes.data(), nullptr, 4097);
        EXPECT_EQ(bins, hiRes > 0.5f ? 4097 : 2049);
        EXPECT_GT(magnitudes[0], 0.0f) << "after " << firstVisible << " samples";
        EXPECT_LT(magnitudes[0], 1e-12f);
    }
}

TEST(Engine, MagnitudesShowTheSpectrumOfTheWindowedFrame) {
    // A full-scale sine at a bin centre gives about N/4 in that bin.
    for (auto [hiRes, n] : {std::pair{0.0f, 4096}, std::pair{1.0f, 8192}}) {
        EngineHarness engine;
        engine.set({{P::kBypass, 1.0f}, {P::kHiRes, hiRes}});
        const int bin = n / 16;
        Stereo sine(30000);
        for (size_t i = 0; i < sine.size(); ++i)
            sine.left[i] = static_cast<float>(std::sin(2.0 * std::numbers::pi * bin * i / n));
        engine.run(sine, {1024});
        std::vector<float> left(4097), right(4097);
        engine.plugin->copyMagnitudes(left.data(), right.data(), 4097);
        EXPECT_NEAR(left[bin], n / 4.0, n / 4.0 * 0.01);
        EXPECT_LT(right[bin], 1e-3f);
    }
}

TEST(Engine, NullChannelPointersAreIgnored) {
    EngineHarness engine;
    float buffer[64] = {};
    float* partial[2] = {buffer, nullptr};
    engine.plugin->processReplacing(partial, partial, 64);
    engine.plugin->processReplacing(nullptr, nullptr, 64);
    engine.plugin->process(partial, partial, 64);
    SUCCEED();
}

}  // namespace
