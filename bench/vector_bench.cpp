// The per-bin routines of the audio path at the engine's bin count (4097 for
// frames of 8192), against the plain double-precision loop of their
// definition, on the same buffers.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "dsp/VCFmath.h"
#include "dsp/VecLib.h"

namespace {

constexpr uint32_t kBins = 4097;

struct Buffers {
    Buffers() : x(kBins), z(kBins), mag(kBins), arg(kBins) {
        std::mt19937 random(1);
        std::uniform_real_distribution<float> value(-100.0f, 100.0f);
        for (auto& c : x) c = ComplexF{value(random), value(random)};
        for (uint32_t i = 0; i < kBins; ++i) {
            mag[i] = std::abs(value(random));
            arg[i] = value(random) * 0.0314159f;
        }
    }
    std::vector<ComplexF> x, z;
    std::vector<float> mag, arg;
};

Buffers& buffers() {
    static Buffers b;
    return b;
}

void BM_cfabs(benchmark::State& state) {
    Buffers& b = buffers();
    for (auto _ : state) {
        cfabs(b.mag.data(), b.x.data(), kBins);
        benchmark::ClobberMemory();
    }
}

void BM_fc2pol(benchmark::State& state) {
    Buffers& b = buffers();
    std::vector<float> m(kBins), a(kBins);
    for (auto _ : state) {
        fc2pol(m.data(), a.data(), b.x.data(), kBins);
        benchmark::ClobberMemory();
    }
}

void BM_fc2pol_libm(benchmark::State& state) {
    Buffers& b = buffers();
    std::vector<float> m(kBins), a(kBins);
    for (auto _ : state) {
        for (uint32_t i = 0; i < kBins; ++i) {
            const double re = b.x[i].re, im = b.x[i].im;
            m[i] = static_cast<float>(std::sqrt(re * re + im * im));
            a[i] = static_cast<float>(std::atan2(im, re));
        }
        benchmark::ClobberMemory();
    }
}

void BM_fpol2c(benchmark::State& state) {
    Buffers& b = buffers();
    for (auto _ : state) {
        fpol2c(b.z.data(), b.mag.data(), b.arg.data(), kBins);
        benchmark::ClobberMemory();
    }
}

void BM_fpol2c_libm(benchmark::State& state) {
    Buffers& b = buffers();
    for (auto _ : state) {
        for (uint32_t i = 0; i < kBins; ++i) {
            const double m = b.mag[i], a = b.arg[i];
            b.z[i] =
                ComplexF{static_cast<float>(m * std::cos(a)), static_cast<float>(m * std::sin(a))};
        }
        benchmark::ClobberMemory();
    }
}

void BM_cfxaddv(benchmark::State& state) {
    Buffers& b = buffers();
    std::vector<ComplexF> z(kBins);
    for (auto _ : state) {
        cfxaddv(z.data(), b.x.data(), b.z.data(), kBins, ComplexF{0.5f, 0}, ComplexF{0, 0});
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_cfabs);
BENCHMARK(BM_fc2pol);
BENCHMARK(BM_fc2pol_libm);
BENCHMARK(BM_fpol2c);
BENCHMARK(BM_fpol2c_libm);
BENCHMARK(BM_cfxaddv);

}  // namespace

BENCHMARK_MAIN();
