// Zindra Deep on its own: what it removes and keeps, that remove and isolate
// are complements, its latency, its blocks, hostile input, its vector sets,
// and its programs and state.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <thread>
#include <vector>

#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"
#include "core/deep/DeepEffect.h"
#include "core/deep/deep_kernels.h"

namespace {

using deep::DeepEffect;
using deep::normalised;
constexpr float kRate = 44100.0f;
constexpr int32_t kLatency = DeepEffect::kLatencySamples;

struct Stereo {
    std::vector<float> left, right;
    explicit Stereo(size_t n = 0) : left(n, 0.0f), right(n, 0.0f) {}
    size_t size() const { return left.size(); }
};

// A tone at a pan position (-1 left .. 1 right, constant power).
Stereo tone(size_t n, double hertz, double pan) {
    Stereo s(n);
    const double angle = (pan + 1.0) * std::numbers::pi / 4.0;
    for (size_t i = 0; i < n; ++i) {
        const double v =
            0.3 * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / kRate);
        s.left[i] = static_cast<float>(v * std::cos(angle));
        s.right[i] = static_cast<float>(v * std::sin(angle));
    }
    return s;
}

Stereo plus(Stereo a, const Stereo& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        a.left[i] += b.left[i];
        a.right[i] += b.right[i];
    }
    return a;
}

// A centred voice-like tone, a panned one and noise that differs per channel.
Stereo mixture(size_t n) {
    Stereo s = plus(tone(n, 440.0, 0.0), tone(n, 660.0, -0.6));
    uint32_t seed = 3;
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        s.left[i] += 0.01f * static_cast<float>(static_cast<int32_t>(seed)) / 2147483648.0f;
        seed = seed * 1664525u + 1013904223u;
        s.right[i] += 0.01f * static_cast<float>(static_cast<int32_t>(seed)) / 2147483648.0f;
    }
    return s;
}

class Deep {
public:
    explicit Deep(float rate = kRate) : hooks(rate), effect(hooks) {}
    void set(deep::Param p, double units) { effect.setParameter(p, normalised(p, units)); }
    Stereo run(Stereo in, int32_t block = 512) {
        Stereo out(in.size());
        for (size_t at = 0; at < in.size(); at += static_cast<size_t>(block)) {
            const auto n =
                static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(block), in.size() - at));
            float* i[2] = {in.left.data() + at, in.right.data() + at};
            float* o[2] = {out.left.data() + at, out.right.data() + at};
            effect.process(i, o, n, true);
        }
        return out;
    }
    core::FixedRateHooks hooks;
    DeepEffect effect;
};

double energy(const Stereo& s, size_t from) {
    double e = 0.0;
    for (size_t i = from; i < s.size(); ++i)
        e += double(s.left[i]) * s.left[i] + double(s.right[i]) * s.right[i];
    return e;
}

double levelDb(const Stereo& out, const Stereo& in, size_t from) {
    return 10.0 * std::log10(energy(out, from + kLatency) / energy(in, from));
}

TEST(Deep, CentredSoundGoesDownByTheDepthAndPannedSoundStays) {
    const size_t n = 4 * 44100;
    for (const double depth : {20.0, 40.0}) {
        for (const double pan : {0.0, 0.1, 0.5, -1.0}) {
            Deep deep;
            deep.set(deep::kDepth, depth);
            deep.set(deep::kWidth, 20.0);
            const Stereo in = tone(n, 1000.0, pan);
            const double level = levelDb(deep.run(in), in, 44100);
            if (std::fabs(pan) < 0.2)
                EXPECT_NEAR(level, -depth, 0.5) << "pan " << pan << ", depth " << depth;
            else
                EXPECT_NEAR(level, 0.0, 0.3) << "pan " << pan << ", depth " << depth;
        }
    }
}

TEST(Deep, BelowTheLowKeepTheCentreStays) {
    Deep deep;  // the first program keeps the centre below 120 Hz
    const Stereo in = tone(4 * 44100, 60.0, 0.0);
    EXPECT_NEAR(levelDb(deep.run(in), in, 44100), 0.0, 0.2);
}

// With the whole depth, what Remove leaves and what Isolate keeps add up to
// the input, for every program's other settings.
TEST(Deep, RemoveAndIsolateAreComplements) {
    const Stereo in = mixture(3 * 44100);
    for (int32_t p = 0; p < DeepEffect::kNumPrograms; ++p) {
        Stereo parts[2];
        for (const bool isolate : {false, true}) {
            Deep deep;
            deep.effect.setProgram(p);
            deep.set(deep::kDepth, 60.0);
            deep.set(deep::kIsolate, isolate ? 1.0 : 0.0);
            parts[isolate] = deep.run(in);
        }
        double worst = 0.0;
        for (size_t i = kLatency; i < in.size(); ++i) {
            worst = std::max(worst, std::fabs(double(parts[0].left[i]) + parts[1].left[i] -
                                              in.left[i - kLatency]));
            worst = std::max(worst, std::fabs(double(parts[0].right[i]) + parts[1].right[i] -
                                              in.right[i - kLatency]));
        }
        EXPECT_LT(worst, 1e-5) << "program " << p;
    }
}

// With no mix the effect passes the input through, exactly its latency late:
// what the host is told is what it gets.
TEST(Deep, TheLatencyIsWhatTheEffectReports) {
    Deep deep;
    deep.set(deep::kMix, 0.0);
    const Stereo in = mixture(20000);
    const Stereo out = deep.run(in);
    for (size_t i = kLatency; i < in.size(); ++i) {
        ASSERT_NEAR(out.left[i], in.left[i - kLatency], 1e-5) << i;
        ASSERT_NEAR(out.right[i], in.right[i - kLatency], 1e-5) << i;
    }
    for (size_t i = 0; i < static_cast<size_t>(kLatency) - 1024; ++i)
        ASSERT_NEAR(out.left[i], 0.0f, 1e-6f);
}

TEST(Deep, BlockSizesDoNotChangeTheOutput) {
    const Stereo in = mixture(40000);
    Deep reference;
    const Stereo expected = reference.run(in, 512);
    for (const int32_t block : {1, 64, 333, 8192}) {
        Deep deep;
        const Stereo out = deep.run(in, block);
        EXPECT_EQ(std::memcmp(out.left.data(), expected.left.data(), in.size() * sizeof(float)), 0)
            << block;
        EXPECT_EQ(std::memcmp(out.right.data(), expected.right.data(), in.size() * sizeof(float)),
                  0)
            << block;
    }
}

// Not-a-number counts as silence, infinities as the loudest sample; neither
// lingers: once the input is sound again, so is the output, and within the
// time the means take to forget it matches a run that never saw them.
TEST(Deep, HostileInputAndRatesLeaveNoTrace) {
    const size_t n = 6 * 44100;
    const Stereo clean = mixture(n);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const float hostile : {nan, inf, -inf, 1e30f, 1e-40f}) {
        Stereo in = clean;
        for (size_t i = 20000; i < 21000; ++i) in.left[i] = in.right[i] = hostile;
        Deep deep, reference;
        const Stereo out = deep.run(in);
        const Stereo expected = reference.run(clean);
        for (size_t i = 0; i < n; ++i)
            ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << i;
        // Three seconds on, the output is the clean run's again.
        double worst = 0.0;
        for (size_t i = n - 44100; i < n; ++i)
            worst = std::max(worst, double(std::fabs(out.left[i] - expected.left[i])));
        EXPECT_LT(worst, 1e-4) << hostile;
    }
    // A rate no host runs at is taken as 44.1 kHz (even with no smoothing,
    // where an infinite rate once left the output not a number).
    for (const float rate : {inf, nan, 0.0f, -48000.0f, 2e7f}) {
        Deep deep(rate), reference;
        deep.set(deep::kSmoothing, 0.0);
        reference.set(deep::kSmoothing, 0.0);
        const Stereo in = mixture(44100);
        EXPECT_EQ(deep.run(in).left, reference.run(in).left) << rate;
    }
}

// Every vector set of the processor computes the same bits as the baseline.
TEST(Deep, EveryVectorSetRoundsAlike) {
    constexpr uint32_t kN = 256, kBins = kN / 2 + 1;
    const deep::DeepKernels& baseline = deep::deepKernelsBaseline();
    for (const VectorCode code : {VectorCode::Avx2, VectorCode::Avx512}) {
        const deep::DeepKernels* kernels = deep::deepKernelsOf(code);
        if (!kernels) continue;
        for (const bool isolate : {false, true}) {
            std::vector<float> results[2];
            for (const deep::DeepKernels* k : {&baseline, kernels}) {
                std::vector<ComplexF> spectrum(kN), scratch(kBins);
                uint32_t seed = 9;
                for (ComplexF& z : spectrum) {
                    seed = seed * 1664525u + 1013904223u;
                    z.re = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
                    seed = seed * 1664525u + 1013904223u;
                    z.im = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
                }
                constexpr size_t kVectors = sizeof(deep::BinVectors) / sizeof(float*);
                std::vector<std::vector<float>> store(kVectors,
                                                      std::vector<float>(kBins + 2, 0.0f));
                float* pointers[kVectors];
                for (size_t i = 0; i < kVectors; ++i) pointers[i] = store[i].data();
                deep::BinVectors v;
                std::memcpy(&v, pointers, sizeof v);
                const deep::FrameSettings s{
                    0.4f, 0.03f, 0.002f, 0.9f, 0.5f, 3.0f, 100.0f, 0.99f, isolate ? 0.0f : 1.0f,
                    4.0f};
                for (int frame = 0; frame < 3; ++frame) {
                    k->split(spectrum.data(), kN, scratch.data(), v);
                    k->separate(s, kBins, v);
                    k->merge(spectrum.data(), kN, scratch.data(), v);
                }
                std::vector<float>& r = results[k == kernels];
                for (const ComplexF& z : spectrum) r.insert(r.end(), {z.re, z.im});
                for (const auto& vector : store) r.insert(r.end(), vector.begin(), vector.end());
            }
            EXPECT_EQ(std::memcmp(results[0].data(), results[1].data(),
                                  results[0].size() * sizeof(float)),
                      0)
                << vectorCodeName(code) << (isolate ? " isolate" : " remove");
        }
    }
}

// A host's automation and its editor set parameters from their threads
// while the audio thread processes: the controls are single atomic values.
TEST(Deep, ParametersFromAnotherThreadWhileProcessing) {
    Deep deep;
    std::atomic<bool> done{false};
    std::thread automation([&] {
        for (int i = 0; !done.load(); ++i) {
            deep.effect.setParameter(i % deep::kNumParams, static_cast<float>(i % 7) / 6.0f);
            if (i % 50 == 0) (void)deep.effect.parameter(deep::kWidth);
        }
    });
    const Stereo out = deep.run(mixture(2 * 44100), 64);
    done.store(true);
    automation.join();
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i]));
}

TEST(DeepState, ProgramsTravelInItsOwnStateAndForeignStatesAreRefused) {
    Deep deep;
    deep.effect.setProgram(2);
    deep.set(deep::kWidth, 33.0);
    deep.effect.renameProgram("Mine");
    size_t size = 0;
    const uint8_t* saved = deep.effect.saveState(core::StateKind::Bank, size);
    const std::vector<uint8_t> bank(saved, saved + size);
    saved = deep.effect.saveState(core::StateKind::Preset, size);
    const std::vector<uint8_t> preset(saved, saved + size);

    Deep other;
    other.effect.setProgram(2);
    ASSERT_EQ(other.effect.loadState(core::StateKind::Bank, bank.data(), bank.size()), nullptr);
    EXPECT_FLOAT_EQ(other.effect.parameter(deep::kWidth), normalised(deep::kWidth, 33.0));
    char name[64] = {};
    other.effect.programName(2, name, 63);
    EXPECT_STREQ(name, "Mine");
    other.effect.setProgram(0);
    ASSERT_EQ(other.effect.loadState(core::StateKind::Preset, preset.data(), preset.size()),
              nullptr);
    EXPECT_FLOAT_EQ(other.effect.parameter(deep::kWidth), normalised(deep::kWidth, 33.0));

    // Zindra's own state, a newer version, a cut preset: refused, nothing changes.
    core::FixedRateHooks hooks;
    core::ZindraEffect zindra(hooks);
    const uint8_t* foreign = zindra.saveState(core::StateKind::Bank, size);
    EXPECT_STREQ(other.effect.loadState(core::StateKind::Bank, foreign, size),
                 "E2 - Not a valid Zindra Deep preset.");
    std::vector<uint8_t> newer = bank;
    newer[4] = 2;
    EXPECT_STREQ(other.effect.loadState(core::StateKind::Bank, newer.data(), newer.size()),
                 "E3 - Wrong version of Zindra Deep preset.");
    EXPECT_STREQ(other.effect.loadState(core::StateKind::Preset, preset.data(), preset.size() - 1),
                 "E4 - Not a valid Zindra Deep preset.");
    EXPECT_FLOAT_EQ(other.effect.parameter(deep::kWidth), normalised(deep::kWidth, 33.0));
}

}  // namespace
