// Which vector code runs: the processor's widest, capped by ZINDRA_VECTOR_CODE.
// The Windows suites run every test program a second time with the cap at
// sse2, and vector_code_cap checks that the cap reaches the process at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dsp/VCFmath.h"
#include "dsp/VectorCode.h"

namespace {

std::string cap() {
    const char* value = std::getenv("ZINDRA_VECTOR_CODE");
    return value ? value : "";
}

TEST(VectorCode, TheChoiceIsTheProcessorsCappedByTheEnvironment) {
    const VectorCode processor = processorVectorCode();
    const VectorCode chosen = vectorCode();
    std::printf("Vector code %s; the processor's %s\n", vectorCodeName(chosen),
                vectorCodeName(processor));
    EXPECT_LE(chosen, processor);
    const std::string limit = cap();
    if (limit.empty() || limit == "avx512") {
        EXPECT_EQ(chosen, processor);
    } else if (limit == "avx2") {
        EXPECT_EQ(chosen, std::min(processor, VectorCode::Avx2));
    } else if (limit == "sse2") {
        EXPECT_EQ(chosen, VectorCode::Sse2);
    }
}

// The transform's passes are the chosen code at most, and no narrower than
// AVX2 where the build has them and the choice allows them.
TEST(VectorCode, TransformsRunTheChosenCode) {
    for (uint32_t n : {16u, 4096u, 8192u}) {
        EXPECT_LE(cfpFFTVectorCode(n), vectorCode()) << n;
        if (ZINDRA_WIDE_VECTORS && vectorCode() >= VectorCode::Avx2) {
            EXPECT_GE(cfpFFTVectorCode(n), VectorCode::Avx2) << n;
            // Every set fills its registers from 128 points on.
            if (n >= 128) {
                EXPECT_EQ(cfpFFTVectorCode(n), vectorCode()) << n;
            }
        } else {
            EXPECT_EQ(cfpFFTVectorCode(n), VectorCode::Sse2) << n;
        }
    }
}

}  // namespace
