// The engine's cost per frame for every factory program, next to an FFTW
// forward+inverse pair of the same size in the same run. One iteration
// processes one hop of stereo audio, so it carries exactly one frame step.
// After the Google Benchmark table it prints one line per program:
//   Isolate Vocal (HR)  N=8192  41.2 us/frame  1127x real time  1.9x FFTW pair
// and the cost of silence and of denormal-level input relative to music.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/FastestRuns.h"
#include "bench/VectorCodeLine.h"
#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"
#include "core/frame_kernels.h"

namespace {

constexpr double kSampleRate = 44100.0;

// An effect on its own, as the benchmarks run it.
struct Standalone {
    core::FixedRateHooks hooks{44100.0f};
    core::ZindraEffect effect{hooks};
};

struct Program {
    std::unique_ptr<Standalone> plugin;
    std::vector<float> left, right, outLeft, outRight;
    int32_t hop = 0;
    size_t position = 0;
};

// A minute of deterministic music-like material, processed in hops.
Program& programFor(int index) {
    static std::map<int, Program> all;
    Program& p = all[index];
    if (!p.plugin) {
        p.plugin = std::make_unique<Standalone>();
        p.plugin->effect.setProgram(index);
        float* none[2] = {nullptr, nullptr};
        p.plugin->effect.process(none, none, 0, true);  // the reset the program asks for
        p.hop = p.plugin->effect.frameEngine().currentFrameSize() / 4;
        const size_t n = 1 << 18;
        p.left.resize(n);
        p.right.resize(n);
        uint32_t seed = 1;
        for (size_t i = 0; i < n; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double t = static_cast<double>(i) / kSampleRate;
            const double voice = 0.3 * std::sin(2.0 * 3.14159265358979323846 * 220.0 * t) +
                                 0.1 * std::sin(2.0 * 3.14159265358979323846 * 660.0 * t);
            const double noise = static_cast<int32_t>(seed) / 2147483648.0 * 0.05;
            p.left[i] = static_cast<float>(voice + noise);
            p.right[i] = static_cast<float>(voice - 0.5 * noise);
        }
        p.outLeft.resize(n);
        p.outRight.resize(n);
    }
    return p;
}

// One hop of audio, and so one frame step.
void processHop(Program& p) {
    if (p.position + static_cast<size_t>(p.hop) > p.left.size()) p.position = 0;
    float* in[2] = {p.left.data() + p.position, p.right.data() + p.position};
    float* out[2] = {p.outLeft.data() + p.position, p.outRight.data() + p.position};
    p.plugin->effect.process(in, out, p.hop, true);
    p.position += static_cast<size_t>(p.hop);
    benchmark::ClobberMemory();
}

void BM_Engine(benchmark::State& state) {
    Program& p = programFor(static_cast<int>(state.range(0)));
    for (auto _ : state) processHop(p);
}

// The heaviest program on three kinds of input: music, digital silence and
// denormal-level noise. Silence must cost no more than music.
enum Input { kMusic, kSilence, kDenormal };

Program& inputProgram(int kind) {
    static std::map<int, Program> all;
    Program& p = all[kind];
    if (!p.plugin) {
        const Program& music = programFor(4);
        p.plugin = std::make_unique<Standalone>();
        p.plugin->effect.setProgram(4);
        float* none[2] = {nullptr, nullptr};
        p.plugin->effect.process(none, none, 0, true);
        p.hop = p.plugin->effect.frameEngine().currentFrameSize() / 4;
        p.left = music.left;
        p.right = music.right;
        for (size_t i = 0; i < p.left.size(); ++i) {
            if (kind == kSilence) p.left[i] = p.right[i] = 0.0f;
            if (kind == kDenormal) {
                p.left[i] = (i & 1 ? 1e-39f : -1e-40f) * static_cast<float>(i % 7);
                p.right[i] = (i & 2 ? 3e-41f : -2e-39f) * static_cast<float>(i % 5);
            }
        }
        p.outLeft.resize(p.left.size());
        p.outRight.resize(p.left.size());
    }
    return p;
}

void BM_EngineInput(benchmark::State& state) {
    Program& p = inputProgram(static_cast<int>(state.range(0)));
    for (auto _ : state) processHop(p);
}

void BM_FFTWPair(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto* x = fftwf_alloc_complex(static_cast<size_t>(n));
    auto* y = fftwf_alloc_complex(static_cast<size_t>(n));
    fftwf_plan forward = fftwf_plan_dft_1d(n, x, y, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan backward = fftwf_plan_dft_1d(n, y, x, FFTW_BACKWARD, FFTW_MEASURE);
    for (int i = 0; i < n; ++i) {
        x[i][0] = static_cast<float>(std::sin(i * 0.01));
        x[i][1] = static_cast<float>(std::cos(i * 0.013));
    }
    for (auto _ : state) {
        fftwf_execute(forward);
        fftwf_execute(backward);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
    fftwf_free(x);
    fftwf_free(y);
}

BENCHMARK(BM_Engine)->DenseRange(0, 9)->Apply(bench::repeated);
BENCHMARK(BM_FFTWPair)->Arg(4096)->Arg(8192)->Apply(bench::repeated);
BENCHMARK(BM_EngineInput)->Arg(kMusic)->Arg(kSilence)->Arg(kDenormal)->Apply(bench::repeated);

}  // namespace

int main(int argc, char** argv) {
    bench::FastestRunReporter reporter;
    if (!bench::runInterleaved(argc, argv, reporter)) return 1;
    for (int index = 0; index < 10; ++index) {
        Program& p = programFor(index);
        char name[64] = {};
        p.plugin->effect.programName(index, name, sizeof name - 1);
        const int n = p.plugin->effect.frameEngine().currentFrameSize();
        const double frame = reporter.time("BM_Engine/" + std::to_string(index));
        const double fftw = reporter.time("BM_FFTWPair/" + std::to_string(n));
        if (frame <= 0.0) continue;
        std::printf("%-24s N=%d  %6.1f us/frame  %6.0fx real time  %4.2fx FFTW pair\n", name, n,
                    frame * 1e6, (p.hop / kSampleRate) / frame, fftw > 0.0 ? frame / fftw : 0.0);
    }
    bench::printVectorCode(4096, vectorCodeName(frameKernelsCode()));
    const double music = reporter.time("BM_EngineInput/0");
    if (music > 0.0) {
        std::printf("Isolate Vocal, silence vs music: %.2fx\n",
                    reporter.time("BM_EngineInput/1") / music);
        std::printf("Isolate Vocal, denormal input vs music: %.2fx\n",
                    reporter.time("BM_EngineInput/2") / music);
    }
    benchmark::Shutdown();
    return 0;
}
