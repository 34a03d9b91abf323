// Neither effect's audio path allocates: after the reset that the first call
// performs, blocks of every size through both entry points, for every
// factory program (both frame sizes), with parameter changes in between as a
// host's automation on the audio thread makes them, take no heap memory.
#include <gtest/gtest.h>

#include "allocation_counter.h"
#include "core/deep/DeepEffect.h"
#include "support/EngineHarness.h"

namespace {

// Every program of the effect, blocks of every size through both entry
// points, with parameter changes between them: no heap memory.
template <typename Effect>
void expectNoAllocations(int32_t changedA, int32_t changedB) {
    Stereo input(8192);
    input.left = signals::music(8192, 44100.0, 5);
    input.right = signals::music(8192, 44100.0, 6);
    Stereo output(8192);
    for (int program = 0; program < Effect::kNumPrograms; ++program) {
        core::FixedRateHooks hooks;
        Effect effect(hooks);
        effect.setProgram(program);
        for (bool replacing : {true, false}) {
            allocations::start();
            for (int round = 0; round < 40; ++round) {
                static const int32_t sizes[] = {1, 7, 512, 8192, 1000};
                float* in[2] = {input.left.data(), input.right.data()};
                float* out[2] = {output.left.data(), output.right.data()};
                effect.process(in, out, sizes[round % 5], replacing);
                effect.setParameter(round % 2 ? changedA : changedB, 0.3f);
                (void)effect.parameter(changedA);
            }
            EXPECT_EQ(allocations::stop(), 0u)
                << "program " << program << (replacing ? " replacing" : " accumulating");
        }
    }
}

TEST(RealTime, ProcessingAndAutomationAllocateNothing) {
    expectNoAllocations<core::ZindraEffect>(zindra::kCenter, zindra::kMix);
    expectNoAllocations<deep::DeepEffect>(deep::kWidth, deep::kTail);
}

TEST(RealTime, TheCounterSeesAllocations) {
    allocations::start();
    void* volatile p = ::operator new(16);
    ::operator delete(p);
    EXPECT_GE(allocations::stop(), 1u);
}

}  // namespace
