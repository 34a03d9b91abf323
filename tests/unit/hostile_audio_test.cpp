// Audio no musician would send, but hosts sometimes do: not-a-number,
// infinities, values near the largest float, denormals and full-scale DC.
// Nothing may crash or hang, the overflow is reported once and marked as
// coming from the audio thread (so that it is queued, not shown there), and
// once the input is sane again the output is exactly what it would have been
// after silence.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <thread>

#include "dsp/VCFmath.h"

#include "dsp/VecLib.h"
#include "support/EngineHarness.h"
#include "unit/dsp_reports.h"

namespace {

namespace P = zindra;

constexpr size_t kBefore = 20000;
constexpr size_t kHostile = 5000;
constexpr size_t kAfter = 40000;
// Every trace of an input sample has left the engine 8192 + N samples later.
constexpr size_t kRecovery = 2 * 8192;

struct Hostile {
    const char* name;
    float left, right;
    bool alternate;  // flip the sign every sample
};

Stereo withSegment(const Hostile* hostile) {
    Stereo x(kBefore + kHostile + kAfter);
    x.left = signals::music(x.size(), 44100.0, 3);
    x.right = signals::music(x.size(), 44100.0, 4);
    for (size_t i = kBefore; i < kBefore + kHostile; ++i) {
        const float sign = hostile && hostile->alternate && (i & 1) ? -1.0f : 1.0f;
        x.left[i] = hostile ? hostile->left * sign : 0.0f;
        x.right[i] = hostile ? hostile->right * sign : 0.0f;
    }
    return x;
}

class HostileAudio : public testing::TestWithParam<std::tuple<Hostile, int>> {
protected:
    VecLibReports reports;
};

TEST_P(HostileAudio, OutputRecoversExactlyAndOverflowIsReportedOnceLater) {
    const auto& [hostile, program] = GetParam();
    EngineHarness attacked;
    attacked.program(program);
    const Stereo hit = attacked.run(withSegment(&hostile), {512});

    EngineHarness calm;
    calm.program(program);
    const Stereo quiet = calm.run(withSegment(nullptr), {512});

    const size_t from = kBefore + kHostile + kRecovery;
    for (size_t i = from; i < hit.size(); ++i) {
        ASSERT_EQ(hit.left[i], quiet.left[i]) << hostile.name << " sample " << i;
        ASSERT_EQ(hit.right[i], quiet.right[i]) << hostile.name << " sample " << i;
    }

    const auto taken = VecLibReports::taken();
    EXPECT_LE(taken.size(), 1u) << "a repeated report is made once";
    for (const CapturedReport& report : taken) {
        EXPECT_EQ(report.text, "VCF_abs: OVERFLOW error");
        EXPECT_TRUE(report.mayBeAudioThread) << "the audio thread's report must be queued";
    }
}

std::string caseName(const testing::TestParamInfo<std::tuple<Hostile, int>>& info) {
    std::string name = std::get<0>(info.param).name;
    for (char& c : name)
        if (c == '-') c = '_';
    return name + "_program" + std::to_string(std::get<1>(info.param));
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Engine, HostileAudio,
    testing::Combine(testing::Values(Hostile{"nan", kNaN, kNaN, false},
                                     Hostile{"infinities", kInf, -kInf, false},
                                     Hostile{"largest", FLT_MAX, FLT_MAX, true},
                                     Hostile{"denormal", 1e-40f, -1e-42f, true},
                                     Hostile{"dc-left", 1.0f, 0.0f, false},
                                     Hostile{"dc-right", 0.0f, 1.0f, false}),
                     testing::Values(0, 4, 9)),
    caseName);

}  // namespace
