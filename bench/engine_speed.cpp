// Real-time factor of every factory program of both effects, without Google
// Benchmark, so that the Windows builds can be measured too (under Wine):
//   Isolate Vocal (HR)  N=8192  1127x real time
// Each program processes 60 s of stereo audio at 44100 Hz in 512-sample blocks;
// the fastest of three runs counts.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/VectorCodeLine.h"
#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"
#include "core/deep/DeepEffect.h"
#include "core/frame_kernels.h"

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 60;
constexpr int kBlock = 512;

// The frame size a program runs at (Zindra's "Hi-Res" doubles it).
int frameSizeOf(core::ZindraEffect& effect) {
    float* none[2] = {nullptr, nullptr};
    effect.process(none, none, 0, true);  // applies the program's reset
    return effect.frameEngine().currentFrameSize();
}
int frameSizeOf(deep::DeepEffect&) { return deep::DeepEngine::kFrameSize; }

template <typename Effect>
void timePrograms(std::vector<float>& left, std::vector<float>& right, std::vector<float>& outLeft,
                  std::vector<float>& outRight) {
    const size_t n = left.size();
    for (int program = 0; program < Effect::kNumPrograms; ++program) {
        double best = 1e30;
        char name[64] = {};
        int frameSize = 0;
        for (int run = 0; run < 3; ++run) {
            core::FixedRateHooks hooks(kRate);
            Effect effect(hooks);
            effect.setProgram(program);
            effect.programName(program, name, sizeof name - 1);
            frameSize = frameSizeOf(effect);
            const auto start = std::chrono::steady_clock::now();
            for (size_t pos = 0; pos + kBlock <= n; pos += kBlock) {
                float* in[2] = {left.data() + pos, right.data() + pos};
                float* out[2] = {outLeft.data() + pos, outRight.data() + pos};
                effect.process(in, out, kBlock, true);
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
        }
        std::printf("%-24s N=%d  %6.0fx real time\n", name, frameSize, kSeconds / best);
    }
}

}  // namespace

int main() {
    const size_t n = static_cast<size_t>(kRate) * kSeconds;
    std::vector<float> left(n), right(n), outLeft(n), outRight(n);
    uint32_t seed = 7;
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double t = static_cast<double>(i) / kRate;
        const double voice = 0.3 * std::sin(2.0 * 3.14159265358979 * 220.0 * t);
        const double noise = static_cast<int32_t>(seed) / 2147483648.0 * 0.05;
        left[i] = static_cast<float>(voice + noise);
        right[i] = static_cast<float>(voice - noise);
    }
    timePrograms<core::ZindraEffect>(left, right, outLeft, outRight);
    timePrograms<deep::DeepEffect>(left, right, outLeft, outRight);
    bench::printVectorCode(4096, vectorCodeName(frameKernelsCode()));
    return 0;
}
