// cfpFFT against FFTW (single precision, FFTW_MEASURE plans) and KissFFT:
// a forward and an inverse transform of the same buffers, at the engine's two
// frame sizes, with the passes of every vector code this processor has.
// After the Google Benchmark table it prints, per size and code,
//   cfpFFT (SSE2) vs FFTW N=4096: 1.12x
// the time of cfpFFT's pair divided by the other library's (processor time
// of the fastest of five repetitions, interleaved at random).
#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <kiss_fft.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/FastestRuns.h"
#include "bench/VectorCodeLine.h"
#include "dsp/VCFmath.h"
#include "dsp/VecLib.h"
#include "dsp/fft_passes.h"

namespace {

struct Buffers {
    explicit Buffers(uint32_t size)
        : n(size),
          x(static_cast<ComplexF*>(V_vector(size, 8))),
          y(static_cast<ComplexF*>(V_vector(size, 8))),
          z(static_cast<ComplexF*>(V_vector(size, 8))) {}
    ~Buffers() {
        V_free(x);
        V_free(y);
        V_free(z);
    }
    void fill() {
        std::mt19937 random(n);
        std::uniform_real_distribution<float> value(-1.0f, 1.0f);
        for (uint32_t i = 0; i < n; ++i) x[i] = ComplexF{value(random), value(random)};
    }
    uint32_t n;
    ComplexF* x;
    ComplexF* y;
    ComplexF* z;
};

Buffers& buffersFor(uint32_t n) {
    static std::map<uint32_t, Buffers*> all;
    Buffers*& b = all[n];
    if (!b) b = new Buffers(n);
    return *b;
}

// The pair with the passes of one vector code (range 1), as far as this
// processor has it.
void BM_cfpFFT(benchmark::State& state) {
    const auto n = static_cast<uint32_t>(state.range(0));
    const auto code = static_cast<VectorCode>(state.range(1));
    Buffers& b = buffersFor(n);
    b.fill();
    for (auto _ : state) {
        cfpFFTUsing(code, b.y, b.x, n, 1);
        cfpFFTUsing(code, b.z, b.y, n, -1);
        benchmark::DoNotOptimize(b.z);
        benchmark::ClobberMemory();
    }
}

void BM_FFTW(benchmark::State& state) {
    const auto n = static_cast<uint32_t>(state.range(0));
    Buffers& b = buffersFor(n);
    auto* x = reinterpret_cast<fftwf_complex*>(b.x);
    auto* y = reinterpret_cast<fftwf_complex*>(b.y);
    auto* z = reinterpret_cast<fftwf_complex*>(b.z);
    // FFTW's forward kernel is e^-; the pair is the same work either way.
    fftwf_plan forward = fftwf_plan_dft_1d(static_cast<int>(n), x, y, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan backward = fftwf_plan_dft_1d(static_cast<int>(n), y, z, FFTW_BACKWARD, FFTW_MEASURE);
    b.fill();  // planning with FFTW_MEASURE overwrites the arrays
    for (auto _ : state) {
        fftwf_execute(forward);
        fftwf_execute(backward);
        benchmark::DoNotOptimize(z);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
}

void BM_KissFFT(benchmark::State& state) {
    const auto n = static_cast<uint32_t>(state.range(0));
    Buffers& b = buffersFor(n);
    kiss_fft_cfg forward = kiss_fft_alloc(static_cast<int>(n), 0, nullptr, nullptr);
    kiss_fft_cfg backward = kiss_fft_alloc(static_cast<int>(n), 1, nullptr, nullptr);
    b.fill();
    auto* x = reinterpret_cast<kiss_fft_cpx*>(b.x);
    auto* y = reinterpret_cast<kiss_fft_cpx*>(b.y);
    auto* z = reinterpret_cast<kiss_fft_cpx*>(b.z);
    for (auto _ : state) {
        kiss_fft(forward, x, y);
        kiss_fft(backward, y, z);
        benchmark::DoNotOptimize(z);
        benchmark::ClobberMemory();
    }
    kiss_fft_free(forward);
    kiss_fft_free(backward);
}

void sizes(benchmark::internal::Benchmark* b) { bench::repeated(b->Arg(4096)->Arg(8192)); }

// Each code this processor has, at both sizes.
void codesAndSizes(benchmark::internal::Benchmark* b) {
    for (VectorCode code : {VectorCode::Sse2, VectorCode::Avx2, VectorCode::Avx512})
        if (code <= processorVectorCode())
            for (int n : {4096, 8192}) b->Args({n, static_cast<int>(code)});
    bench::repeated(b);
}

BENCHMARK(BM_cfpFFT)->Apply(codesAndSizes);
BENCHMARK(BM_FFTW)->Apply(sizes);
BENCHMARK(BM_KissFFT)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
    bench::FastestRunReporter reporter;
    if (!bench::runInterleaved(argc, argv, reporter)) return 1;
    for (const char* size : {"4096", "8192"}) {
        for (VectorCode code : {VectorCode::Sse2, VectorCode::Avx2, VectorCode::Avx512}) {
            const double ours = reporter.time(std::string("BM_cfpFFT/") + size + "/" +
                                              std::to_string(static_cast<int>(code)));
            for (const char* other : {"FFTW", "KissFFT"}) {
                const double theirs = reporter.time(std::string("BM_") + other + "/" + size);
                if (ours > 0 && theirs > 0)
                    std::printf("cfpFFT (%s) vs %s N=%s: %.2fx\n", vectorCodeName(code), other,
                                size, ours / theirs);
            }
        }
    }
    bench::printVectorCode(4096, nullptr);
    benchmark::Shutdown();
    return 0;
}
