// The complex FFT against a plain double-precision DFT.
//
// Error bound. Each radix-2 level of a floating-point FFT adds at most
// eta = u + gamma4 (sqrt 2 + u) of relative error in the 2-norm (u = 2^-24
// the unit roundoff of single precision, gamma4 = 4u / (1 - 4u), twiddles
// rounded from double so their own error is at most u); over L = log2 n
// levels ||Y - Yexact|| <= L eta / (1 - L eta) ||Yexact||. At n = 8192 that
// is 5.2e-6 of the norm of the result. Each test checks that bound, and the
// largest single-bin error against the same bound applied to the whole norm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "dsp/VCFmath.h"
#include "dsp/fft_passes.h"
#include "tests/unit/dsp_reports.h"

namespace {

using Signal = std::vector<ComplexF>;
using Exact = std::vector<std::complex<double>>;

constexpr double kPi = 3.14159265358979323846;
constexpr double kU = 1.0 / 16777216.0;

double levelsBound(uint32_t n) {
    const double gamma4 = 4 * kU / (1 - 4 * kU);
    const double eta = kU + gamma4 * (std::sqrt(2.0) + kU);
    const double levels = std::max(1.0, std::log2(static_cast<double>(n)));
    return levels * eta / (1 - levels * eta);
}

Exact referenceDft(const Signal& x, int direction) {
    const size_t n = x.size();
    const double sign = direction >= 0 ? 1.0 : -1.0;
    const double scale = (direction < 0 && direction % 2 != 0) ? 1.0 / static_cast<double>(n) : 1.0;
    // Roots of unity from their exact angles, indexed by k m mod n.
    Exact roots(n);
    for (size_t j = 0; j < n; ++j) {
        const double angle = sign * 2 * kPi * static_cast<double>(j) / static_cast<double>(n);
        roots[j] = {std::cos(angle), std::sin(angle)};
    }
    Exact y(n);
    for (size_t k = 0; k < n; ++k) {
        std::complex<double> sum = 0;
        for (size_t m = 0; m < n; ++m)
            sum += std::complex<double>(x[m].re, x[m].im) * roots[(k * m) % n];
        y[k] = sum * scale;
    }
    return y;
}

// Relative 2-norm error and largest bin error relative to the norm.
struct Errors {
    double norm;
    double bin;
};

Errors compare(const Signal& got, const Exact& want) {
    double diff = 0, ref = 0, worst = 0;
    for (size_t k = 0; k < want.size(); ++k) {
        const double e = std::abs(std::complex<double>(got[k].re, got[k].im) - want[k]);
        diff += e * e;
        ref += std::norm(want[k]);
        worst = std::max(worst, e);
    }
    return Errors{std::sqrt(diff / ref), worst / std::sqrt(ref)};
}

Signal randomSignal(uint32_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    Signal x(n);
    for (auto& c : x) c = ComplexF{value(random), value(random)};
    return x;
}

Signal impulse(uint32_t n, uint32_t at) {
    Signal x(n, ComplexF{0, 0});
    x[at % n] = ComplexF{1, 0};
    return x;
}

// A real sine of bin 3 in the real part and a cosine of bin n/2 - 1 in the
// imaginary part (the engine's stereo packing).
Signal sines(uint32_t n) {
    Signal x(n);
    for (uint32_t m = 0; m < n; ++m) {
        const double t = static_cast<double>(m) / n;
        x[m] = ComplexF{static_cast<float>(std::sin(2 * kPi * 3 * t)),
                        static_cast<float>(0.5 * std::cos(2 * kPi * (n / 2.0 - 1) * t))};
    }
    return x;
}

Signal transformed(const Signal& x, int direction, bool inPlace) {
    Signal y(x.size(), ComplexF{-7, -7});
    if (inPlace) {
        y = x;
        cfpFFT(y.data(), y.data(), static_cast<uint32_t>(y.size()), direction);
    } else {
        cfpFFT(y.data(), x.data(), static_cast<uint32_t>(x.size()), direction);
    }
    return y;
}

class FftAgainstDft : public testing::TestWithParam<uint32_t> {};

TEST_P(FftAgainstDft, RandomImpulseAndSineInputsBothDirectionsInAndOutOfPlace) {
    const uint32_t n = GetParam();
    const double bound = levelsBound(n);
    const std::vector<std::pair<std::string, Signal>> inputs = {
        {"random", randomSignal(n, n)},
        {"impulse at 1", impulse(n, 1)},
        {"impulse at n/3", impulse(n, n / 3)},
        {"sines", sines(n)}};
    for (const auto& [name, x] : inputs) {
        for (int direction : {1, -1}) {
            const Exact want = referenceDft(x, direction);
            for (bool inPlace : {false, true}) {
                const Errors e = compare(transformed(x, direction, inPlace), want);
                EXPECT_LE(e.norm, bound) << name << " n=" << n << " direction " << direction
                                         << (inPlace ? " in place" : " out of place");
                EXPECT_LE(e.bin, bound) << name << " n=" << n << " direction " << direction;
            }
        }
    }
}

TEST_P(FftAgainstDft, ForwardThenInverseGivesTheInputBack) {
    const uint32_t n = GetParam();
    const Signal x = randomSignal(n, 100 + n);
    Signal y(n), z(n);
    cfpFFT(y.data(), x.data(), n, 1);
    cfpFFT(z.data(), y.data(), n, -1);
    Exact want(n);
    for (uint32_t i = 0; i < n; ++i) want[i] = {x[i].re, x[i].im};
    EXPECT_LE(compare(z, want).norm, 2 * levelsBound(n) + kU);
}

TEST_P(FftAgainstDft, ImpulseAtZeroGivesExactlyOneOrOneOverNInEveryBin) {
    const uint32_t n = GetParam();
    const Signal x = impulse(n, 0);
    const Signal forward = transformed(x, 1, false);
    const Signal inverse = transformed(x, -1, true);
    const float inv = 1.0f / static_cast<float>(n);
    for (uint32_t k = 0; k < n; ++k) {
        ASSERT_EQ(forward[k].re, 1.0f) << k;
        ASSERT_EQ(forward[k].im, 0.0f) << k;
        ASSERT_EQ(inverse[k].re, inv) << k;
        ASSERT_EQ(inverse[k].im, 0.0f) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, FftAgainstDft,
                         testing::Values(1u, 2u, 4u, 8u, 16u, 32u, 64u, 128u, 256u, 512u, 1024u,
                                         2048u, 4096u, 8192u),
                         testing::PrintToStringParamName());

TEST(Fft, BuffersAlignedOnlyToTheirElementGiveTheSameResults) {
    for (uint32_t n : {64u, 4096u, 8192u}) {
        const Signal x = randomSignal(n, 21);
        Signal aligned(n);
        cfpFFT(aligned.data(), x.data(), n, 1);
        // One element (8 bytes) off a 16-byte boundary, in and out.
        Signal in(n + 1), out(n + 1);
        std::copy(x.begin(), x.end(), in.begin() + 1);
        cfpFFT(out.data() + 1, in.data() + 1, n, 1);
        cfpFFT(in.data() + 1, in.data() + 1, n, 1);
        for (uint32_t k = 0; k < n; ++k) {
            ASSERT_TRUE(out[k + 1].re == aligned[k].re && out[k + 1].im == aligned[k].im) << k;
            ASSERT_LE(std::abs(in[k + 1].re - aligned[k].re), 1e-3f) << k;
        }
    }
}

// A stereo frame whose two channels are identical (equal parts) has the
// same spectrum in both channels; split from the packed transform, their
// magnitudes are equal bit for bit only if bin n - k is bin k with its parts
// swapped, exactly. Every first pass (blocks of 4, 8 and 16) and both
// places (in and out of place) keep that symmetry.
TEST(Fft, EqualPartsGiveMirroredBinsWithSwappedPartsExactly) {
    for (uint32_t n : {8u, 16u, 32u, 64u, 128u, 1024u, 4096u, 8192u}) {
        Signal x = randomSignal(n, 33);
        for (ComplexF& c : x) c.im = c.re;
        for (bool inPlace : {false, true}) {
            const Signal y = transformed(x, 1, inPlace);
            for (uint32_t k = 0; k < n; ++k) {
                const ComplexF& mirror = y[(n - k) % n];
                ASSERT_TRUE(mirror.re == y[k].im && mirror.im == y[k].re)
                    << "n " << n << (inPlace ? " in place" : "") << ", bin " << k;
            }
        }
    }
}

// The passes are built once per instruction set; every set rounds each
// product and sum alike, so a plug-in gives the same output on every
// processor. Each set this processor has, against SSE2, for every first pass
// and pass split, both directions, in and out of place.
TEST(Fft, EveryVectorCodeGivesTheSameBits) {
    int compared = 0;
    for (uint32_t n = 16; n <= 65536; n *= 2) {
        const Signal x = randomSignal(n, n + 5);
        for (int direction : {1, -1}) {
            for (bool inPlace : {false, true}) {
                Signal base = x;
                cfpFFTUsing(VectorCode::Sse2, base.data(), inPlace ? base.data() : x.data(), n,
                            direction);
                for (VectorCode code : {VectorCode::Avx2, VectorCode::Avx512}) {
                    Signal y = x;
                    if (cfpFFTUsing(code, y.data(), inPlace ? y.data() : x.data(), n, direction) !=
                        code)
                        continue;
                    ASSERT_EQ(std::memcmp(y.data(), base.data(), n * sizeof(ComplexF)), 0)
                        << vectorCodeName(code) << ", n " << n << ", direction " << direction
                        << (inPlace ? ", in place" : "");
                    ++compared;
                }
            }
        }
    }
    if (compared == 0) GTEST_SKIP() << "this processor or build has only SSE2";
}

TEST(Fft, EvenNegativeDirectionUsesTheInverseKernelWithoutScaling) {
    const uint32_t n = 64;
    const Signal x = randomSignal(n, 5);
    const Errors e = compare(transformed(x, -2, false), referenceDft(x, -2));
    EXPECT_LE(e.norm, levelsBound(n));
    const Errors f = compare(transformed(x, 2, false), referenceDft(x, 1));
    EXPECT_LE(f.norm, levelsBound(n));
}

TEST(Fft, SizesThatAreNotPowersOfTwoAreReportedAndLeaveTheOutputAlone) {
    VecLibReports reports;
    Signal x = randomSignal(24, 9), y(24, ComplexF{3, 4});
    for (uint32_t n : {0u, 3u, 6u, 7u, 12u, 24u}) cfpFFT(y.data(), x.data(), n, 1);
    for (const auto& c : y) ASSERT_TRUE(c.re == 3 && c.im == 4);
    const std::string small = "VCFs_FFT: (8) Size must be an integer power of 2.";
    const std::string big = "VCFb_FFT: (8) Size must be an integer power of 2.";
    EXPECT_EQ(reports.texts(), (std::vector<std::string>{small, small, small, small, big, big}));
    for (const auto& r : reports.taken()) EXPECT_TRUE(r.mayBeAudioThread);
    EXPECT_FALSE(cfpFFTPrepare(12));
}

TEST(Fft, SizesBeyondThePlansAreRefusedAsNotEnoughMemory) {
    VecLibReports reports;
    ComplexF one{1, 2};
    cfpFFT(&one, &one, 1u << 25, 1);  // refused before anything is read
    EXPECT_FALSE(cfpFFTPrepare(1u << 25));
    EXPECT_TRUE(one.re == 1 && one.im == 2);
    EXPECT_EQ(reports.texts(), std::vector<std::string>(2, "V_vector: (1) Not enough memory."));
    // From the transform, which runs on the audio thread, the report must be queued.
    EXPECT_TRUE(reports.taken()[0].mayBeAudioThread);
    EXPECT_FALSE(reports.taken()[1].mayBeAudioThread);
}

TEST(Fft, PreparedPlansServeTransformsOnSeveralThreadsAtOnce) {
    ASSERT_TRUE(cfpFFTPrepare(4096));
    ASSERT_TRUE(cfpFFTPrepare(8192));
    const Signal x = randomSignal(4096, 77);
    Signal expected(4096);
    cfpFFT(expected.data(), x.data(), 4096, 1);
    auto worker = [&] {
        Signal y(4096);
        for (int i = 0; i < 50; ++i) {
            cfpFFT(y.data(), x.data(), 4096, 1);
            for (uint32_t k = 0; k < 4096; ++k)
                ASSERT_TRUE(y[k].re == expected[k].re && y[k].im == expected[k].im);
        }
    };
    std::thread a(worker), b(worker);
    a.join();
    b.join();
}

}  // namespace
