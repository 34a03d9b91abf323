// The plug-ins' audio in our own lilv host: the result does not depend on how
// the host cuts the stream into blocks, control changes included.
//
//   lv2_audio_test BUNDLE_DIR [gtest options]
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "support/MessageLog.h"
#include "tests/lv2/LilvHost.h"

namespace {

using namespace lv2host;

constexpr uint32_t kInputs = 0, kOutputs = 2;
constexpr int64_t kFrames = 5 * 8192;
constexpr int64_t kChangeAt = 16384;

// One plug-in of the bundle with control values (port, value) set from the
// start and changed at kChangeAt.
struct Plugin {
    const char* name;
    const char* uri;
    int64_t latency;
    std::vector<std::pair<uint32_t, float>> atStart, later;
};

// Zindra: "Hi-Res" on from the start (an engine reset), then "Width" and
// "Stereolize!" changed. Zindra Deep: "Low Keep" at 0 Hz from the start,
// then "Width" at 40 % and "Isolate" on.
const Plugin kZindra{"Zindra", kUri, 8192, {{kHiResPort, 1.0f}}, {{5, 0.8f}, {12, 0.0f}}};
const Plugin kDeep{"Deep", kDeepUri, 4096, {{8, 0.0f}}, {{5, 40.0f}, {11, 1.0f}}};

// A stereo test signal: a centred tone and a tone on the left only.
float signal(int channel, int64_t n) {
    const double t = static_cast<double>(n) / 44100.0;
    const double centre = 0.3 * std::sin(2 * M_PI * 440.0 * t);
    return static_cast<float>(channel == 0 ? centre + 0.2 * std::sin(2 * M_PI * 1250.0 * t)
                                           : centre);
}

class LV2Audio : public testing::TestWithParam<Plugin> {
protected:
    LV2Audio() : world(GetParam().uri) {}
    void SetUp() override { ASSERT_NE(world.plugin, nullptr); }

    // Runs the signal through a fresh instance in blocks of the given size,
    // with the plug-in's controls set and changed; returns left and right,
    // one after the other.
    std::vector<float> render(uint32_t blockSize) {
        Instance instance(world.plugin, uris, blockSize);
        EXPECT_TRUE(instance.ready());
        for (const auto& [port, value] : p.atStart) instance.controls[port] = value;
        std::vector<float> out(2 * kFrames);
        for (int64_t start = 0; start < kFrames; start += blockSize) {
            if (start == kChangeAt)
                for (const auto& [port, value] : p.later) instance.controls[port] = value;
            for (uint32_t i = 0; i < blockSize; ++i)
                for (int c = 0; c < 2; ++c) instance.audio[kInputs + c][i] = signal(c, start + i);
            instance.run();
            for (uint32_t i = 0; i < blockSize; ++i)
                for (int c = 0; c < 2; ++c)
                    out[c * kFrames + start + i] = instance.audio[kOutputs + c][i];
        }
        EXPECT_EQ(instance.controls.back(), static_cast<float>(p.latency));
        return out;
    }

    const Plugin& p = GetParam();
    MessageLog log;
    World world;
    UriMap uris;
};

TEST_P(LV2Audio, BlocksOf64And8192GiveTheSameSamples) {
    const std::vector<float> small = render(64);
    const std::vector<float> large = render(8192);
    EXPECT_EQ(small, large);
    // Sound comes out once the latency has passed.
    double after = 0.0;
    for (int64_t n = p.latency; n < p.latency + 4096; ++n) after += std::fabs(small[n]);
    EXPECT_GT(after, 100.0);
    EXPECT_TRUE(log.take().empty());
}

INSTANTIATE_TEST_SUITE_P(Plugins, LV2Audio, testing::Values(kZindra, kDeep),
                         [](const testing::TestParamInfo<Plugin>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

int main(int argc, char** argv) { return lv2host::runTests(argc, argv); }
