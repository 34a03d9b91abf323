// The plug-in's audio in our own lilv host: the result does not depend on how
// the host cuts the stream into blocks, control changes included.
//
//   lv2_audio_test BUNDLE_DIR [gtest options]
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/MessageLog.h"
#include "tests/lv2/LilvHost.h"

namespace {

using namespace lv2host;

constexpr uint32_t kInputs = 0, kOutputs = 2;
constexpr uint32_t kWidthPort = 5, kStereolizePort = 12;
constexpr int64_t kFrames = 5 * 8192;

// A stereo test signal: a centred tone and a tone on the left only.
float signal(int channel, int64_t n) {
    const double t = static_cast<double>(n) / 44100.0;
    const double centre = 0.3 * std::sin(2 * M_PI * 440.0 * t);
    return static_cast<float>(channel == 0 ? centre + 0.2 * std::sin(2 * M_PI * 1250.0 * t)
                                           : centre);
}

class LV2Audio : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(world.plugin, nullptr); }

    // Runs the signal through a fresh instance in blocks of the given size,
    // with "Hi-Res" on from the start and "Width" and "Stereolize!" changed
    // at frame 16384; returns left and right, one after the other.
    std::vector<float> render(uint32_t blockSize) {
        Instance instance(world.plugin, uris, blockSize);
        EXPECT_TRUE(instance.ready());
        instance.controls[kHiResPort] = 1.0f;
        std::vector<float> out(2 * kFrames);
        for (int64_t start = 0; start < kFrames; start += blockSize) {
            if (start == 16384) {
                instance.controls[kWidthPort] = 0.8f;
                instance.controls[kStereolizePort] = 0.0f;
            }
            for (uint32_t i = 0; i < blockSize; ++i)
                for (int c = 0; c < 2; ++c) instance.audio[kInputs + c][i] = signal(c, start + i);
            instance.run();
            for (uint32_t i = 0; i < blockSize; ++i)
                for (int c = 0; c < 2; ++c)
                    out[c * kFrames + start + i] = instance.audio[kOutputs + c][i];
        }
        EXPECT_EQ(instance.controls[kLatencyPort], 8192.0f);
        return out;
    }

    MessageLog log;
    World world;
    UriMap uris;
};

TEST_F(LV2Audio, BlocksOf64And8192GiveTheSameSamples) {
    const std::vector<float> small = render(64);
    const std::vector<float> large = render(8192);
    EXPECT_EQ(small, large);
    // Sound comes out once the latency has passed.
    double after = 0.0;
    for (int64_t n = 8192; n < 8192 + 4096; ++n) after += std::fabs(small[n]);
    EXPECT_GT(after, 100.0);
    EXPECT_TRUE(log.take().empty());
}

}  // namespace

int main(int argc, char** argv) { return lv2host::runTests(argc, argv); }
