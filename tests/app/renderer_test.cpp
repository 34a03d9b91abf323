// The hosting code against the real plug-in library: output lines up with
// the input and does not depend on how the input is cut into blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/AlignedRenderer.h"
#include "app/HostedPlugin.h"

namespace {

struct Stereo {
    std::vector<float> left, right;
};

Stereo render(HostedPlugin& plugin, int32_t blockSize, const Stereo& input) {
    Stereo output;
    AlignedRenderer renderer(plugin, blockSize, [&](const float* l, const float* r, int32_t n) {
        output.left.insert(output.left.end(), l, l + n);
        output.right.insert(output.right.end(), r, r + n);
    });
    // Hand the input over in uneven pieces, as a file reader might.
    size_t at = 0;
    for (size_t piece = 1; at < input.left.size(); piece = piece * 3 + 1) {
        const size_t n = std::min(piece, input.left.size() - at);
        renderer.feed(input.left.data() + at, input.right.data() + at, static_cast<int64_t>(n));
        at += n;
    }
    renderer.finish();
    return output;
}

Stereo render(int32_t blockSize, const Stereo& input, int32_t program, float humidity = -1.0f) {
    HostedPlugin plugin(ZINDRA_PLUGIN_PATH, 44100.0f);
    plugin.setProgram(program);
    if (humidity >= 0.0f) plugin.setParameter(4, humidity);
    plugin.start(blockSize);
    return render(plugin, blockSize, input);
}

Stereo impulse(size_t length, size_t at) {
    Stereo s{std::vector<float>(length, 0.0f), std::vector<float>(length, 0.0f)};
    s.left[at] = 1.0f;
    s.right[at] = 0.5f;
    return s;
}

// A deterministic stereo signal with a centred part and a part on each side.
Stereo songLike(size_t length) {
    Stereo s{std::vector<float>(length), std::vector<float>(length)};
    uint32_t seed = 12345;
    for (size_t i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.2;
        const double t = static_cast<double>(i) / 44100.0;
        const double centre =
            0.3 * std::sin(2 * M_PI * 220 * t) + 0.1 * std::sin(2 * M_PI * 660 * t);
        s.left[i] = static_cast<float>(centre + noise);
        s.right[i] = static_cast<float>(centre + 0.2 * std::sin(2 * M_PI * 1500 * t));
    }
    return s;
}

size_t loudest(const std::vector<float>& samples) {
    size_t best = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        if (std::fabs(samples[i]) > std::fabs(samples[best])) best = i;
    return best;
}

}  // namespace

TEST(AlignedRenderer, ImpulseLeavesAtItsInputPositionWithTheInputsLength) {
    // Dry (Humidity 0) and fully wet with both frame sizes: programs 0 and 5.
    for (int32_t program : {0, 5}) {
        for (float humidity : {0.0f, 1.0f}) {
            const Stereo input = impulse(30000, 12345);
            const Stereo output = render(512, input, program, humidity);
            ASSERT_EQ(output.left.size(), input.left.size());
            ASSERT_EQ(output.right.size(), input.right.size());
            EXPECT_EQ(loudest(output.left), 12345u)
                << "program " << program << " humidity " << humidity;
            EXPECT_EQ(loudest(output.right), 12345u)
                << "program " << program << " humidity " << humidity;
        }
    }
}

TEST(AlignedRenderer, DryOutputEqualsTheInput) {
    const Stereo input = songLike(20000);
    const Stereo output = render(1000, input, 0, 0.0f);
    ASSERT_EQ(output.left.size(), input.left.size());
    for (size_t i = 0; i < input.left.size(); ++i) {
        ASSERT_NEAR(output.left[i], input.left[i], 1e-6f) << i;
        ASSERT_NEAR(output.right[i], input.right[i], 1e-6f) << i;
    }
}

// The program change asks for an engine reset; the first block, of 8192 or
// of 64 samples, is processed all the same.
TEST(AlignedRenderer, ImpulseAtTheVeryFirstSampleSurvivesTheReset) {
    const Stereo input = impulse(10000, 0);
    for (int32_t blockSize : {8192, 64}) {
        const Stereo output = render(blockSize, input, 0, 0.0f);
        EXPECT_NEAR(output.left[0], 1.0f, 1e-6f) << blockSize;
        EXPECT_NEAR(output.right[0], 0.5f, 1e-6f) << blockSize;
    }
}

TEST(AlignedRenderer, BlockSizeDoesNotChangeTheResult) {
    const Stereo input = songLike(40000);
    for (int32_t program : {0, 4, 9}) {
        const Stereo reference = render(1024, input, program);
        for (int32_t blockSize : {1, 7, 333, 4096, 8192}) {
            const Stereo output = render(blockSize, input, program);
            ASSERT_EQ(output.left.size(), reference.left.size());
            EXPECT_EQ(output.left, reference.left)
                << "program " << program << " block " << blockSize;
            EXPECT_EQ(output.right, reference.right)
                << "program " << program << " block " << blockSize;
        }
    }
}

TEST(AlignedRenderer, StaysAlignedWithoutAPendingReset) {
    HostedPlugin plugin(ZINDRA_PLUGIN_PATH, 44100.0f);
    plugin.setParameter(4, 0.0f);
    plugin.start(300);
    const Stereo input = impulse(20000, 777);
    render(plugin, 300, input);  // takes the pending reset
    const Stereo again = render(plugin, 300, input);
    ASSERT_EQ(again.left.size(), input.left.size());
    EXPECT_EQ(loudest(again.left), 777u);
    EXPECT_NEAR(again.left[777], 1.0f, 1e-6f);
}
