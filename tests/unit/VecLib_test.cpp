// Aligned vectors, the process-wide registry and the toolkit's reports.
#include "dsp/VecLib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "tests/unit/dsp_reports.h"

namespace {

bool aligned64(const void* p) { return reinterpret_cast<uintptr_t>(p) % 64 == 0; }

TEST(VecLibRegistry, VectorsAre64ByteAlignedAndWritableOverTheirWholeLength) {
    VecLibReports reports;
    const uint32_t before = V_registryInfo().count;
    for (uint32_t n : {0u, 1u, 3u, 64u, 4097u, 16384u}) {
        for (uint32_t size : {4u, 8u}) {
            auto* v = static_cast<unsigned char*>(V_vector(n, size));
            ASSERT_NE(v, nullptr);
            EXPECT_TRUE(aligned64(v));
            std::memset(v, 0xA5, static_cast<size_t>(n) * size);
            EXPECT_EQ(V_registryInfo().count, before + 1);
            V_free(v);
        }
    }
    EXPECT_EQ(V_registryInfo().count, before);
    EXPECT_TRUE(reports.texts().empty());
}

TEST(VecLibRegistry, GrowsBySixteenAndReleasesItsTablesAtCountZero) {
    VecLibReports reports;
    ASSERT_EQ(V_registryInfo().count, 0u) << "another test left vectors behind";
    std::vector<void*> vectors;
    for (uint32_t i = 1; i <= 40; ++i) {
        vectors.push_back(V_vector(i, 4));
        ASSERT_NE(vectors.back(), nullptr);
        const VecRegistryInfo info = V_registryInfo();
        EXPECT_EQ(info.count, i);
        EXPECT_EQ(info.capacity, (i + 15) / 16 * 16) << "after " << i << " vectors";
    }
    // Free in a scrambled order: entries behind a freed one move down.
    std::mt19937 random(7);
    std::shuffle(vectors.begin(), vectors.end(), random);
    for (size_t i = 0; i < vectors.size(); ++i) {
        V_free(vectors[i]);
        EXPECT_EQ(V_registryInfo().count, vectors.size() - 1 - i);
    }
    EXPECT_EQ(V_registryInfo().capacity, 0u);
    EXPECT_TRUE(reports.texts().empty());
}

TEST(VecLibRegistry, FreeOfAnUnknownAddressReportsOnceAndReleasesNothing) {
    VecLibReports reports;
    void* kept = V_vector(8, 4);
    void* freed = V_vector(8, 4);
    V_free(freed);
    const uint32_t live = V_registryInfo().count;

    V_free(freed);  // the same vector twice
    float local = 0.0f;
    V_free(&local);
    V_free(nullptr);

    EXPECT_EQ(reports.texts(),
              std::vector<std::string>(3, "V_free: (12) Cannot free non-existent vector"));
    EXPECT_FALSE(reports.taken()[0].mayBeAudioThread);
    EXPECT_EQ(V_registryInfo().count, live);
    V_free(kept);
}

TEST(VecLibRegistry, AllocationThatCannotBeHadReportsAndReturnsNull) {
    if (sizeof(size_t) > 4) GTEST_SKIP() << "only a 32-bit address space refuses for certain";
    VecLibReports reports;
    const uint32_t live = V_registryInfo().count;
    EXPECT_EQ(V_vector(0xFFFFFFFFu, 8), nullptr);
    EXPECT_EQ(reports.texts(), std::vector<std::string>{"V_vector: (1) Not enough memory."});
    EXPECT_EQ(V_registryInfo().count, live);
}

TEST(VecLibRegistry, TwoThreadsAllocatingAndFreeingAtOnceKeepTheRegistryConsistent) {
    VecLibReports reports;
    const uint32_t before = V_registryInfo().count;
    auto worker = [](unsigned seed) {
        std::mt19937 random(seed);
        std::vector<float*> mine;
        for (int step = 0; step < 2000; ++step) {
            if (mine.size() < 40 && (mine.empty() || random() % 3 != 0)) {
                const uint32_t n = 1 + static_cast<uint32_t>(random() % 300);
                auto* v = static_cast<float*>(V_vector(n, 4));
                ASSERT_NE(v, nullptr);
                ASSERT_TRUE(aligned64(v));
                for (uint32_t i = 0; i < n; ++i) v[i] = static_cast<float>(seed);
                mine.push_back(v);
            } else {
                const size_t pick = random() % mine.size();
                EXPECT_EQ(mine[pick][0], static_cast<float>(seed));
                V_free(mine[pick]);
                mine.erase(mine.begin() + static_cast<std::ptrdiff_t>(pick));
            }
        }
        for (float* v : mine) V_free(v);
    };
    std::thread a(worker, 1u), b(worker, 2u);
    a.join();
    b.join();
    EXPECT_EQ(V_registryInfo().count, before);
    EXPECT_TRUE(reports.texts().empty());
}

TEST(VecLibReports, ArithmeticErrorsFollowTheMaskAndAreNotRepeated) {
    VecLibReports reports;
    EXPECT_TRUE(V_mathError("VCF_abs", VecMathError::Overflow));
    EXPECT_FALSE(V_mathError("VCF_abs", VecMathError::Overflow));  // repeat
    EXPECT_TRUE(V_mathError("VF_log", VecMathError::Sing));
    EXPECT_TRUE(V_mathError("VCF_abs", VecMathError::Overflow));   // no longer the previous
    EXPECT_FALSE(V_mathError("VF_exp", VecMathError::Underflow));  // masked
    EXPECT_FALSE(V_mathError("VF_sin", VecMathError::TLoss));      // masked
    EXPECT_TRUE(V_mathError("VF_sqrt", VecMathError::Domain));     // shown, process goes on
    EXPECT_FALSE(V_mathError("VF_sqrt", VecMathError::Domain));
    EXPECT_TRUE(V_mathError("VF_sqrt", VecMathError::Sing));  // same routine, other kind

    const std::vector<std::string> expected = {"VCF_abs: OVERFLOW error", "VF_log: SING error",
                                               "VCF_abs: OVERFLOW error", "VF_sqrt: DOMAIN error",
                                               "VF_sqrt: SING error"};
    EXPECT_EQ(reports.texts(), expected);
    for (const auto& r : reports.taken()) EXPECT_TRUE(r.mayBeAudioThread) << r.text;
}

}  // namespace
