// The processor's instruction sets from CPUID, and the registers the system
// saves on a thread switch from XGETBV: a processor may have AVX2 while the
// system leaves the upper halves of the registers to be lost.
#include "dsp/VectorCode.h"

#include <cpuid.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The register state the system has enabled (XCR0).
uint64_t enabledRegisterState() {
    uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (uint64_t{high} << 32) | low;
}

VectorCode detect() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return VectorCode::Sse2;
    const bool osSavesState = c & (1u << 27);  // OSXSAVE: XGETBV may be used
    const bool avx = c & (1u << 28);
    const bool fma = c & (1u << 12);
    if (!osSavesState || !avx || !fma) return VectorCode::Sse2;
    const uint64_t state = enabledRegisterState();
    constexpr uint64_t kSseAvx = 0x6;   // XMM and the upper halves of YMM
    constexpr uint64_t kAvx512 = 0xE0;  // opmasks, upper halves of ZMM0-15, ZMM16-31
    if ((state & kSseAvx) != kSseAvx) return VectorCode::Sse2;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return VectorCode::Sse2;
    if (!(b & (1u << 5))) return VectorCode::Sse2;  // AVX2
    constexpr unsigned kAvx512Sets =
        (1u << 16) | (1u << 17) | (1u << 30) | (1u << 31);  // F DQ BW VL
    if ((b & kAvx512Sets) == kAvx512Sets && (state & kAvx512) == kAvx512) return VectorCode::Avx512;
    return VectorCode::Avx2;
}

VectorCode capped(VectorCode code) {
    const char* cap = std::getenv("ZINDRA_VECTOR_CODE");
    if (!cap) return code;
    VectorCode limit = code;
    if (std::strcmp(cap, "sse2") == 0)
        limit = VectorCode::Sse2;
    else if (std::strcmp(cap, "avx2") == 0)
        limit = VectorCode::Avx2;
    return limit < code ? limit : code;
}

// Decided when the library is loaded, before any constructor or audio call;
// the function-local statics also serve callers from other units' static
// initialisers.
[[maybe_unused]] const VectorCode atLoad = vectorCode();

}  // namespace

VectorCode processorVectorCode() {
    static const VectorCode code = detect();
    return code;
}

VectorCode vectorCode() {
    static const VectorCode code = capped(processorVectorCode());
    return code;
}

VectorCode usableVectorCode(VectorCode wanted) {
    if (!ZINDRA_WIDE_VECTORS) return VectorCode::Sse2;
    const VectorCode processor = processorVectorCode();
    return wanted < processor ? wanted : processor;
}

const char* vectorCodeName(VectorCode code) {
    switch (code) {
        case VectorCode::Avx2: return "AVX2";
        case VectorCode::Avx512: return "AVX-512";
        case VectorCode::Sse2: break;
    }
    return "SSE2";
}

std::string processorName() {
    unsigned words[12] = {};
    for (unsigned leaf = 0; leaf < 3; ++leaf)
        if (!__get_cpuid(0x80000002u + leaf, &words[4 * leaf], &words[4 * leaf + 1],
                         &words[4 * leaf + 2], &words[4 * leaf + 3]))
            return "unknown processor";
    char text[sizeof words + 1] = {};
    std::memcpy(text, words, sizeof words);
    std::string name(text);
    const size_t first = name.find_first_not_of(' ');
    return first == std::string::npos ? "unknown processor" : name.substr(first);
}
