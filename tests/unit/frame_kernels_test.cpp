// The frame kernels: the spectral pass against a plain per-bin model in
// double precision, the AVX2 set against the SSE2 set bit for bit, the
// centre-angle test against the toolkit's arctangent right at the ends of
// the range, and the frame scaling at the extremes of level.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/frame_kernels.h"
#include "dsp/VCFmath.h"
#include "dsp/VecLib.h"
#include "support/EngineHarness.h"
#include "unit/dsp_reports.h"

namespace {

using Complex = std::complex<double>;
namespace P = zindra;

constexpr int kHalf = 2048;
constexpr int kPoints = 2 * kHalf;

// A packed spectrum with a wide spread of levels and a few exact zeros.
std::vector<ComplexF> randomPacked(uint32_t seed) {
    std::mt19937 random(seed);
    std::normal_distribution<float> value;
    std::uniform_real_distribution<float> level(-6.0f, 6.0f);
    std::vector<ComplexF> z(kPoints);
    for (ComplexF& x : z) {
        const float scale = std::exp(level(random));
        x = {value(random) * scale, value(random) * scale};
    }
    z[100] = z[kPoints - 100] = {0.0f, 0.0f};
    return z;
}

struct Separated {
    std::vector<ComplexF> s;
    std::vector<float> left, right;
};

Separated separate(const FrameKernels& kernels, const std::vector<ComplexF>& z,
                   const FrameSeparation& f) {
    Separated out{std::vector<ComplexF>(kPoints), std::vector<float>(kHalf + 1),
                  std::vector<float>(kHalf + 1)};
    kernels.separateFrame(out.s.data(), z.data(), out.left.data(), out.right.data(), kHalf, f);
    return out;
}

// Every switch setting the kernel distinguishes, with bands that start and
// end inside blocks, on block edges, at the ends of the spectrum, or nowhere.
std::vector<FrameSeparation> allSeparations() {
    std::vector<FrameSeparation> all;
    const uint32_t bands[][2] = {{23, 1416}, {64, 128}, {0, 2049}, {2000, 2049}, {5, 5}};
    for (int bits = 0; bits < 64; ++bits) {
        for (const auto& band : bands) {
            FrameSeparation f{};
            f.bypass = bits == 0;
            f.spreadilate = bits & 1;
            f.angles = makeAngleRange(0.6f, 0.97f, bits & 2);
            f.bandStage = bits & 4;
            f.band.stereolize = bits & 8;
            f.band.isolate = bits & 16;
            f.band.zindracate = bits & 32;
            f.band.mix = {0.75f, 0.0f};
            f.band.offset = {0.0f, 0.0f};
            f.bandFirst = band[0];
            f.bandEnd = band[1];
            all.push_back(f);
        }
    }
    return all;
}

// The reference model's settings for a frame's separation.
reference::BinSeparation modelOf(const FrameSeparation& f) {
    reference::BinSeparation s;
    s.spreadilate = f.spreadilate;
    s.lo = f.angles.lo;
    s.hi = f.angles.hi;
    s.keepInside = f.angles.keepInside;
    s.bandStage = f.bandStage;
    s.stereolize = f.band.stereolize;
    s.isolate = f.band.isolate;
    s.zindracate = f.band.zindracate;
    s.mix = Complex(f.band.mix.re, f.band.mix.im);
    return s;
}

// The spectral pass written out per bin in double precision: the split, the
// reference separation and the merge.
Separated model(const std::vector<ComplexF>& z, const FrameSeparation& f) {
    Separated out{std::vector<ComplexF>(kPoints), std::vector<float>(kHalf + 1),
                  std::vector<float>(kHalf + 1)};
    for (int k = 0; k <= kHalf; ++k) {
        const Complex zi(z[k].re, z[k].im),
            za(z[(kPoints - k) % kPoints].re, z[(kPoints - k) % kPoints].im);
        Complex l = std::conj(zi + std::conj(za)) / 2.0;
        Complex r = std::conj((zi - std::conj(za)) / Complex(0.0, 2.0));
        if (!f.bypass) {
            const bool inBand = k >= int(f.bandFirst) && k < int(f.bandEnd);
            reference::separateBin(l, r, inBand, modelOf(f));
        }
        out.left[k] = static_cast<float>(std::abs(l));
        out.right[k] = static_cast<float>(std::abs(r));
        const Complex upper(l.real() + r.imag(), r.real() - l.imag());
        const Complex lower(l.real() - r.imag(), r.real() + l.imag());
        out.s[k] = {static_cast<float>(upper.real()), static_cast<float>(upper.imag())};
        if (k > 0 && k < kHalf)
            out.s[kPoints - k] = {static_cast<float>(lower.real()),
                                  static_cast<float>(lower.imag())};
    }
    return out;
}

std::string describe(const FrameSeparation& f) {
    return "bypass " + std::to_string(f.bypass) + " spreadilate " + std::to_string(f.spreadilate) +
           " keepInside " + std::to_string(f.angles.keepInside) + " band " +
           std::to_string(f.bandStage) + " stereolize " + std::to_string(f.band.stereolize) +
           " isolate " + std::to_string(f.band.isolate) + " zindracate " +
           std::to_string(f.band.zindracate) + " bins " + std::to_string(f.bandFirst) + ".." +
           std::to_string(f.bandEnd);
}

TEST(FrameKernels, SpectralPassMatchesThePlainModel) {
    const std::vector<ComplexF> z = randomPacked(7);
    for (const FrameSeparation& f : allSeparations()) {
        const Separated got = separate(frameKernels(), z, f);
        const Separated want = model(z, f);
        // Each value within single-precision rounding of the bins it comes
        // from: a few units in the last place of the bin's own level.
        for (int k = 0; k < kPoints; ++k) {
            const int bin = k <= kHalf ? k : kPoints - k;
            const double level =
                std::abs(Complex(z[bin].re, z[bin].im)) +
                std::abs(Complex(z[(kPoints - bin) % kPoints].re, z[(kPoints - bin) % kPoints].im));
            const double tolerance = 1e-6 * level;
            ASSERT_NEAR(got.s[k].re, want.s[k].re, tolerance) << describe(f) << " point " << k;
            ASSERT_NEAR(got.s[k].im, want.s[k].im, tolerance) << describe(f) << " point " << k;
            if (k <= kHalf) {
                ASSERT_NEAR(got.left[k], want.left[k], tolerance) << describe(f) << " bin " << k;
                ASSERT_NEAR(got.right[k], want.right[k], tolerance) << describe(f) << " bin " << k;
            }
        }
    }
}

// The set that runs is the chosen vector code's, whatever the build: the
// Windows DLLs too run the wide sets on a processor that has them.
TEST(FrameKernels, TheChosenSetFollowsTheVectorCode) {
    const VectorCode expected = ZINDRA_WIDE_VECTORS ? vectorCode() : VectorCode::Sse2;
    EXPECT_EQ(frameKernelsCode(), expected);
    EXPECT_EQ(&frameKernels(), frameKernelsOf(expected));
}

// Every kernel of wide against base, bit for bit.
void expectSameBits(const FrameKernels& base, const FrameKernels& wide) {
    const std::vector<ComplexF> z = randomPacked(11);
    for (const FrameSeparation& f : allSeparations()) {
        const Separated a = separate(base, z, f), b = separate(wide, z, f);
        ASSERT_EQ(std::memcmp(a.s.data(), b.s.data(), a.s.size() * sizeof(ComplexF)), 0)
            << describe(f);
        ASSERT_EQ(a.left, b.left) << describe(f);
        ASSERT_EQ(a.right, b.right) << describe(f);
    }

    // The sample loops, with counts that leave tails after the vector steps.
    std::mt19937 random(3);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::vector<float> left(1003), right(1003), window(1003);
    std::vector<ComplexF> frame(1003), sum(1003);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = sample(random);
        right[i] = i % 7 == 0 ? 1e-22f : sample(random);
        window[i] = std::fabs(sample(random));
        frame[i] = {sample(random), sample(random)};
        sum[i] = {sample(random), sample(random)};
    }
    for (uint32_t count : {1u, 3u, 8u, 1003u}) {
        std::vector<ComplexF> ringA(count), ringB(count);
        base.fillRing(ringA.data(), left.data(), right.data(), count);
        wide.fillRing(ringB.data(), left.data(), right.data(), count);
        EXPECT_EQ(std::memcmp(ringA.data(), ringB.data(), count * sizeof(ComplexF)), 0) << count;

        for (bool replacing : {true, false}) {
            std::vector<float> outA(left.begin(), left.begin() + count), outB = outA;
            std::vector<float> outA2(right.begin(), right.begin() + count), outB2 = outA2;
            base.mixOutput(outA.data(), outA2.data(), frame.data(), sum.data(), count, 0.6, 0.35,
                           replacing);
            wide.mixOutput(outB.data(), outB2.data(), frame.data(), sum.data(), count, 0.6, 0.35,
                           replacing);
            EXPECT_EQ(outA, outB) << count;
            EXPECT_EQ(outA2, outB2) << count;
        }

        std::vector<ComplexF> copyA(count), copyB(count);
        EXPECT_EQ(base.enterFrame(copyA.data(), frame.data(), count),
                  wide.enterFrame(copyB.data(), frame.data(), count));
        EXPECT_EQ(std::memcmp(copyA.data(), frame.data(), count * sizeof(ComplexF)), 0);

        base.windowFrame(copyA.data(), frame.data(), window.data(), count, 0.25f);
        wide.windowFrame(copyB.data(), frame.data(), window.data(), count, 0.25f);
        EXPECT_EQ(std::memcmp(copyA.data(), copyB.data(), count * sizeof(ComplexF)), 0);

        std::vector<ComplexF> sumA(sum.begin(), sum.begin() + count), sumB = sumA;
        base.accumulateWindowed(sumA.data(), frame.data(), window.data(), count, 4.0f);
        wide.accumulateWindowed(sumB.data(), frame.data(), window.data(), count, 4.0f);
        EXPECT_EQ(std::memcmp(sumA.data(), sumB.data(), count * sizeof(ComplexF)), 0);
    }
}

TEST(FrameKernels, WideSetsGiveTheSameBitsAsTheBaseline) {
    if (!ZINDRA_WIDE_VECTORS) GTEST_SKIP() << "built without the wide kernels";
    if (processorVectorCode() < VectorCode::Avx2) GTEST_SKIP() << "no AVX2 on this processor";
    for (VectorCode code : {VectorCode::Avx2, VectorCode::Avx512}) {
        if (code > processorVectorCode()) continue;
        SCOPED_TRACE(vectorCodeName(code));
        const FrameKernels* wide = frameKernelsOf(code);
        ASSERT_NE(wide, nullptr);
        expectSameBits(frameKernelsBaseline(), *wide);
    }
}

TEST(FrameKernels, SampleLoopsRoundInDoublePrecisionOnce) {
    const FrameKernels& k = frameKernels();
    const float left[5] = {1.0f, -1e-20f, 3e-21f, 0.0f, -0.5f};
    const float right[5] = {-2.0f, 1e-20f, 0.0f, 5e-13f, 0.25f};
    ComplexF ring[5];
    k.fillRing(ring, left, right, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ring[i].re, static_cast<float>(double{left[i]} + 1e-20)) << i;
        EXPECT_EQ(ring[i].im, static_cast<float>(double{right[i]} + 1e-20)) << i;
    }
    const ComplexF processed[5] = {{1, 2}, {3, 4}, {1e-20f, 0}, {0.1f, 0.2f}, {-7, 7}};
    const ComplexF delayed[5] = {{0.5f, 1}, {1, 1}, {1e-20f, 1e-20f}, {0.3f, 0.1f}, {2, 2}};
    float outL[5] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}, outR[5] = {1, 2, 3, 4, 5};
    float keptL[5], keptR[5];
    std::memcpy(keptL, outL, sizeof outL);
    std::memcpy(keptR, outR, sizeof outR);
    const double wet = 0.6666666865348816, dry = 0.3;
    k.mixOutput(outL, outR, processed, delayed, 5, wet, dry, false);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(outL[i], static_cast<float>((processed[i].re * wet + keptL[i]) +
                                              delayed[i].re * dry - 1e-20))
            << i;
        EXPECT_EQ(outR[i], static_cast<float>((processed[i].im * wet + keptR[i]) +
                                              delayed[i].im * dry - 1e-20))
            << i;
    }
    k.mixOutput(outL, outR, processed, delayed, 5, wet, dry, true);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(outL[i], static_cast<float>(processed[i].re * wet + delayed[i].re * dry - 1e-20))
            << i;
        EXPECT_EQ(outR[i], static_cast<float>(processed[i].im * wet + delayed[i].im * dry - 1e-20))
            << i;
    }
}

// Bins whose right magnitude steps across tan(end) one unit in the last
// place at a time, and across the 1e-5 margins, decide exactly as the
// toolkit's cfabs and fc2pol followed by the inclusive range test do.
TEST(FrameKernels, AngleTestDecidesAsTheToolkitArctangent) {
    const float quarter = static_cast<float>(std::numbers::pi / 4.0);
    struct Range {
        float lo, hi;
    };
    const Range ranges[] = {
        {quarter, quarter},  // Spread 0
        {static_cast<float>(std::numbers::pi / 4.0 - 0.3),
         static_cast<float>(std::numbers::pi / 4.0 + 0.3)},
        {static_cast<float>(std::numbers::pi / 4.0 - double{quarter}),
         static_cast<float>(std::numbers::pi / 4.0 + double{quarter})},  // Spread 1
        {1e-6f, 1.5707f}};
    for (const Range& range : ranges) {
        for (bool keepInside : {true, false}) {
            std::vector<ComplexF> z(kPoints, ComplexF{0.0f, 0.0f});
            std::vector<float> l, r;
            for (float end : {range.lo, range.hi}) {
                for (double margin : {0.0, 1e-5, -1e-5, 2e-5, -2e-5, 1e-3, -1e-3}) {
                    float right = static_cast<float>(std::tan(double{end} + margin));
                    for (int step = 0; step < 40; ++step) right = std::nextafter(right, 0.0f);
                    for (int step = 0; step < 80; ++step) {
                        l.push_back(1.0f);
                        r.push_back(right);
                        right = std::nextafter(right, 2.0f * right + 1.0f);
                    }
                }
            }
            // Equal magnitudes, one channel only, nothing at all.
            for (float v : {1.0f, 3e-7f, 12345.0f}) {
                l.push_back(v);
                r.push_back(v);
                l.push_back(v);
                r.push_back(0.0f);
                l.push_back(0.0f);
                r.push_back(v);
            }
            ASSERT_LT(l.size(), size_t{kHalf});
            // Packed so that bin k + 1 splits into L = (l, 0), R = (r, 0).
            for (size_t i = 0; i < l.size(); ++i)
                z[i + 1] = z[kPoints - 1 - i] = ComplexF{l[i], r[i]};

            FrameSeparation f{};
            f.spreadilate = true;
            f.angles = makeAngleRange(range.lo, range.hi, keepInside);
            const Separated got = separate(frameKernels(), z, f);

            // The toolkit's angles of (|L|, |R|), all in one call so that
            // every one comes from its vector path.
            std::vector<ComplexF> left(l.size()), right(l.size()), points(l.size() + 3);
            std::vector<float> magnitudeL(l.size()), magnitudeR(l.size());
            for (size_t i = 0; i < l.size(); ++i) {
                left[i] = {l[i], 0.0f};
                right[i] = {r[i], 0.0f};
            }
            cfabs(magnitudeL.data(), left.data(), static_cast<uint32_t>(l.size()));
            cfabs(magnitudeR.data(), right.data(), static_cast<uint32_t>(l.size()));
            for (size_t i = 0; i < l.size(); ++i) points[i] = {magnitudeL[i], magnitudeR[i]};
            const auto count = static_cast<uint32_t>(points.size() / 4 * 4);
            std::vector<float> lengths(count), angles(count);
            fc2pol(lengths.data(), angles.data(), points.data(), count);

            for (size_t i = 0; i < l.size(); ++i) {
                const bool inside = range.lo <= angles[i] && angles[i] <= range.hi;
                const bool kept = got.s[i + 1].re != 0.0f || got.s[i + 1].im != 0.0f;
                ASSERT_EQ(kept, inside == keepInside)
                    << "l " << l[i] << " r " << r[i] << " angle " << angles[i] << " range "
                    << range.lo << ".." << range.hi;
            }
        }
    }
}

// A sine at a bin centre, at levels where squares of single-precision
// spectra would underflow or overflow, through the Bypass path.
Stereo sineAt(double amplitude, size_t length) {
    Stereo x(length);
    for (size_t i = 0; i < length; ++i)
        x.left[i] =
            static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * 256 * i / 4096));
    return x;
}

// Scaled or not, a frame is processed exactly as at full scale: the output
// and the magnitudes are those of the unit sine times the amplitude.
TEST(FrameScaling, LoudAndQuietFramesAreProcessedAsAtFullScale) {
    struct Run {
        Stereo out;
        std::vector<float> left, right;
    };
    const auto run = [](double amplitude) {
        EngineHarness engine;
        engine.set({{P::kBypass, 1.0f}});
        Run r{engine.run(sineAt(amplitude, 30000), {1024}), std::vector<float>(4097),
              std::vector<float>(4097)};
        engine.plugin->copyMagnitudes(r.left.data(), r.right.data(), 4097);
        return r;
    };
    const Run unit = run(1.0);
    EXPECT_NEAR(unit.left[256], 1024.0, 10.0);
    for (double amplitude : {1e-12, 1e20}) {
        const Run scaled = run(amplitude);
        for (int k = 200; k < 300; ++k)
            ASSERT_NEAR(scaled.left[k] / amplitude, unit.left[k], 1e-6 * unit.left[256])
                << amplitude << " bin " << k;
        // The audio, where the 1e-20 offsets are far below the signal.
        for (size_t i = 8192 + 4096; i < unit.out.size(); ++i)
            ASSERT_NEAR(scaled.out.left[i] / amplitude, unit.out.left[i], 1e-6)
                << amplitude << " sample " << i;
    }
}

TEST(FrameScaling, MagnitudesBeyondTheFloatRangeAreCappedAndReportedOnce) {
    VecLibReports reports;
    EngineHarness engine;
    engine.set({{P::kBypass, 1.0f}});
    engine.run(sineAt(1e36, 30000), {1024});
    std::vector<float> left(4097);
    engine.plugin->copyMagnitudes(left.data(), nullptr, 4097);
    EXPECT_EQ(left[256], FLT_MAX);
    const auto taken = VecLibReports::taken();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].text, "VCF_abs: OVERFLOW error");
    EXPECT_TRUE(taken[0].mayBeAudioThread) << "the audio thread's report must be queued";
}

}  // namespace
