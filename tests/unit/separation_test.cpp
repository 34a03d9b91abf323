// The separation stage, checked against a plain double-precision model of the
// whole processing, and the band that Center and Width select.
#include <gtest/gtest.h>

#include "support/EngineHarness.h"

namespace {

namespace P = zindra;

constexpr size_t kLength = 40000;
constexpr size_t kSteady = 8192 + 8192;  // every frame that reaches the output is full

// Inputs that show each program's behaviour.
enum class Image { Identical, LeftOnly, OppositePhase, Wide };

Stereo input(Image image) {
    Stereo x(kLength);
    x.left = signals::music(kLength, 44100.0, 11);
    const std::vector<float> other = signals::music(kLength, 44100.0, 12);
    for (size_t i = 0; i < kLength; ++i) {
        switch (image) {
            case Image::Identical: x.right[i] = x.left[i]; break;
            case Image::LeftOnly: x.right[i] = 0.0f; break;
            case Image::OppositePhase: x.right[i] = -x.left[i]; break;
            case Image::Wide:
                // A centred part plus different material on each side.
                x.right[i] =
                    0.5f * x.left[i] + 0.5f * other[i] * static_cast<float>(std::sin(i * 0.001));
                break;
        }
    }
    return x;
}

ReferenceSettings settingsOf(int program) {
    ReferenceSettings s;
    const bool hr = program >= 5;
    s.frameSize = hr ? 8192 : 4096;
    switch (program % 5) {
        case 0: s.stereolize = true; break;
        case 1: s.passThru = s.spreadilate = true; break;
        case 2:
            s.center = 0.515;
            s.width = 1.0;
            s.stereolize = true;
            break;
        case 3: s.stereolize = s.isolate = true; break;
        case 4:
            s.center = 0.3875;
            s.width = 0.75;
            s.spread = 0.152;
            s.zindracate = s.stereolize = s.isolate = s.spreadilate = true;
            break;
    }
    s.center = static_cast<float>(s.center);
    s.width = static_cast<float>(s.width);
    s.spread = static_cast<float>(s.spread);
    return s;
}

struct ProgramCase {
    int program;
    Image image;
};

class FactoryPrograms : public testing::TestWithParam<ProgramCase> {};

// Single-precision transforms and the toolkit's fast polar conversions keep
// the plug-in within -80 dB of the exact result; where the whole output
// should vanish, it stays 80 dB below the input.
TEST_P(FactoryPrograms, MatchTheDoublePrecisionModel) {
    const auto [program, image] = GetParam();
    const Stereo x = input(image);
    EngineHarness engine;
    engine.program(program);
    const Stereo output = engine.run(x, {777});
    const ReferenceSettings settings = settingsOf(program);
    const Stereo expected = reference::process(x, settings);
    const double inputLevel = rmsDb(x.left, 0, kLength);
    for (const auto& [got, want] :
         {std::pair{&output.left, &expected.left}, std::pair{&output.right, &expected.right}}) {
        const double wantLevel = rmsDb(*want, kSteady, kLength);
        const bool right = got == &output.right;
        if (wantLevel < inputLevel - 80.0) {
            EXPECT_LT(rmsDb(*got, kSteady, kLength), inputLevel - 80.0);
        } else if (right && image == Image::LeftOnly && settings.stereolize) {
            // The silent right channel's bins hold only rounding noise, whose
            // phase the side signal takes: only its magnitude is defined, and
            // inside the band it is the left channel's.
            std::vector<float> magL(4097), magR(4097);
            engine.plugin->copyMagnitudes(magL.data(), magR.data(), 4097);
            for (int k = engine.plugin->getBandLowBin(); k < engine.plugin->getBandHighBin(); ++k)
                ASSERT_NEAR(magR[k], magL[k], 1e-4 * magL[k] + 1e-3) << "bin " << k;
        } else {
            EXPECT_LT(errorDb(*got, *want, kSteady, kLength), -80.0)
                << "program " << program << " image " << static_cast<int>(image)
                << (right ? " right" : " left");
        }
    }
}

std::vector<ProgramCase> allCases() {
    std::vector<ProgramCase> cases;
    for (int program = 0; program < 10; ++program)
        for (Image image : {Image::Identical, Image::LeftOnly, Image::OppositePhase, Image::Wide})
            cases.push_back({program, image});
    return cases;
}

std::string caseName(const testing::TestParamInfo<ProgramCase>& info) {
    static const char* const images[] = {"Identical", "LeftOnly", "OppositePhase", "Wide"};
    return "Program" + std::to_string(info.param.program) +
           images[static_cast<int>(info.param.image)];
}

INSTANTIATE_TEST_SUITE_P(Separation, FactoryPrograms, testing::ValuesIn(allCases()), caseName);

TEST(Separation, VocalOutRemovesTheCentreOnlyInsideTheBand) {
    // Identical channels: the band is removed, the rest passes.
    EngineHarness engine;
    engine.program(0);
    const Stereo x = input(Image::Identical);
    const Stereo output = engine.run(x);
    std::vector<float> left(4097), right(4097);
    engine.plugin->copyMagnitudes(left.data(), right.data(), 4097);
    const int low = engine.plugin->getBandLowBin(), high = engine.plugin->getBandHighBin();
    // 220 Hz harmonics: the fundamental (bin 20) lies below the band, the rest inside.
    EXPECT_GT(left[20], 10.0f);
    for (int k = low + 2; k < high - 2; ++k) ASSERT_LT(left[k], 1e-3f) << "bin " << k;
}

TEST(Separation, IsolateWithZindracateSwapsTheChannelsInsideTheBand) {
    // Band minus side is the other channel.
    EngineHarness engine;
    engine.set({{P::kCenter, 0.5f},
                {P::kWidth, 1.0f},
                {P::kIsolate, 1.0f},
                {P::kZindracate, 1.0f},
                {P::kStereolize, 0.0f},
                {P::kSpreadilate, 0.0f}});
    const Stereo x = input(Image::Wide);
    const Stereo output = engine.run(x);
    ReferenceSettings s;
    s.center = 0.5;
    s.width = 1.0;
    s.isolate = s.zindracate = true;
    const Stereo expected = reference::process(x, s);
    EXPECT_LT(errorDb(output.left, expected.left, kSteady, kLength), -80.0);
    // The right input's material now comes out on the left.
    Stereo swapped = x;
    std::swap(swapped.left, swapped.right);
    ReferenceSettings bandOnly = s;
    bandOnly.zindracate = false;
    const Stereo swappedBand = reference::process(swapped, bandOnly);
    EXPECT_LT(errorDb(output.left, swappedBand.left, kSteady, kLength), -80.0);
}

TEST(Separation, ZeroMixRemovesTheBandAndKeepsTheRest) {
    EngineHarness engine;
    engine.set({{P::kMix, 0.0f}});
    const Stereo x = input(Image::Wide);
    const Stereo output = engine.run(x);
    ReferenceSettings s = settingsOf(0);
    s.mix = 0.0;
    const Stereo expected = reference::process(x, s);
    EXPECT_LT(errorDb(output.left, expected.left, kSteady, kLength), -80.0);
    EXPECT_LT(errorDb(output.right, expected.right, kSteady, kLength), -80.0);
}

TEST(Separation, FullSpreadSelectsEveryBinSoVocalOutTwoIsSilent) {
    EngineHarness engine;
    engine.program(1);
    engine.set({{P::kSpread, 1.0f}});
    const Stereo output = engine.run(input(Image::Wide));
    EXPECT_LT(rmsDb(output.left, kSteady, kLength), -200.0);
    EXPECT_LT(rmsDb(output.right, kSteady, kLength), -200.0);
}

TEST(Separation, AnEmptyBandPassesEverythingOrWithIsolateNothing) {
    const Stereo x = input(Image::Wide);
    EngineHarness passing;
    passing.set({{P::kWidth, 0.0f}});
    const Stereo passed = passing.run(x);
    ReferenceSettings s = settingsOf(0);
    s.bypass = true;
    const Stereo bypassed = reference::process(x, s);
    EXPECT_LT(errorDb(passed.left, bypassed.left, kSteady, kLength), -80.0);

    EngineHarness isolating;
    isolating.set({{P::kWidth, 0.0f}, {P::kIsolate, 1.0f}});
    const Stereo silent = isolating.run(x);
    EXPECT_LT(rmsDb(silent.left, kSteady, kLength), -200.0);
}

struct BandCase {
    int rate;
    float hiRes;
    float center, width;
    int32_t lowBin, highBin, limitBin;
};

class BandBins : public testing::TestWithParam<BandCase> {};

TEST_P(BandBins, FollowCenterWidthRateAndFrameSize) {
    const BandCase& c = GetParam();
    EngineHarness engine(c.rate);
    engine.set({{P::kHiRes, c.hiRes}, {P::kCenter, c.center}, {P::kWidth, c.width}});
    EXPECT_EQ(engine.plugin->getBandLowBin(), c.lowBin);
    EXPECT_EQ(engine.plugin->getBandHighBin(), c.highBin);
    EXPECT_EQ(engine.plugin->getBandLimitBin(), c.limitBin);
}

INSTANTIATE_TEST_SUITE_P(Separation, BandBins,
                         testing::Values(BandCase{44100, 0, 0.215f, 0.4f, 28, 771, 1857},
                                         BandCase{44100, 1, 0.215f, 0.4f, 56, 1542, 3715},
                                         BandCase{48000, 0, 0.215f, 0.4f, 26, 708, 1706},
                                         BandCase{48000, 1, 0.215f, 0.4f, 51, 1417, 3413},
                                         BandCase{44100, 0, 0.3875f, 0.75f, 23, 1416, 1857},
                                         BandCase{44100, 0, 0.515f, 1.0f, 28, 1858, 1857},
                                         BandCase{32000, 0, 0.515f, 1.0f, 38, 2560, 2048},
                                         BandCase{32000, 1, 0.9f, 0.2f, 4096, 5120, 4096}));

TEST(Separation, OnlyBinsThatExistAreInTheBand) {
    // At 32000 Hz a band from 16000 Hz up holds just the Nyquist bin.
    EngineHarness engine(32000);
    engine.set({{P::kCenter, 0.9f}, {P::kWidth, 0.2f}});
    const Stereo x = input(Image::Wide);
    const Stereo output = engine.run(x);
    ReferenceSettings s = settingsOf(0);
    s.center = 0.9f;
    s.width = 0.2f;
    s.sampleRate = 32000;
    const Stereo expected = reference::process(x, s);
    EXPECT_LT(errorDb(output.left, expected.left, kSteady, kLength), -80.0);
}

}  // namespace
