// The audio path allocates nothing: after the reset that the first call
// performs, blocks of every size through both entry points, for every
// factory program (both frame sizes), with parameter changes in between as a
// host's automation on the audio thread makes them, take no heap memory.
#include <gtest/gtest.h>

#include "allocation_counter.h"
#include "support/EngineHarness.h"

namespace {

namespace P = zindra;

TEST(RealTime, ProcessingAndAutomationAllocateNothing) {
    Stereo input(8192);
    input.left = signals::music(8192, 44100.0, 5);
    input.right = signals::music(8192, 44100.0, 6);
    Stereo output(8192);
    for (int program = 0; program < core::ZindraEffect::kNumPrograms; ++program) {
        EngineHarness engine;
        engine.program(program);
        for (bool replacing : {true, false}) {
            allocations::start();
            for (int round = 0; round < 40; ++round) {
                static const int32_t sizes[] = {1, 7, 512, 8192, 1000};
                const int32_t frames = sizes[round % 5];
                float* in[2] = {input.left.data(), input.right.data()};
                float* out[2] = {output.left.data(), output.right.data()};
                if (replacing)
                    engine.plugin->processReplacing(in, out, frames);
                else
                    engine.plugin->process(in, out, frames);
                engine.plugin->setParameter(round % 2 ? P::kCenter : P::kMix, 0.3f);
                engine.plugin->getParameter(P::kWidth);
            }
            EXPECT_EQ(allocations::stop(), 0u)
                << "program " << program << (replacing ? " replacing" : " accumulating");
        }
    }
}

TEST(RealTime, TheCounterSeesAllocations) {
    allocations::start();
    void* volatile p = ::operator new(16);
    ::operator delete(p);
    EXPECT_GE(allocations::stop(), 1u);
}

}  // namespace
