// Arbitrary bytes offered to the effect as a preset or a bank, as a host
// reading a damaged project file would. The first byte chooses the kind.
// Whatever the bytes, the parameters stay within 0..1 and equal the current
// program, a state is accepted whole or refused with a message, and a round
// trip of what the effect saves changes nothing. Every format stores these
// bytes, so this covers each format's state path.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"

namespace {

core::ZindraEffect& effect() {
    static core::FixedRateHooks hooks;
    static auto* zindra = new core::ZindraEffect(hooks);
    return *zindra;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    core::ZindraEffect& zindra = effect();
    const auto kind = (data[0] & 1) != 0 ? core::StateKind::Preset : core::StateKind::Bank;
    std::vector<uint8_t> chunk(data + 1, data + size);  // exactly the offered bytes
    const char* refusal =
        zindra.loadState(kind, chunk.empty() ? nullptr : chunk.data(), chunk.size());
    check(refusal == nullptr || refusal[0] == 'E');

    const APluginProgram& current = zindra.programBank().program(zindra.program());
    for (int32_t i = 0; i < core::ZindraEffect::kNumParams; ++i) {
        const float value = zindra.parameter(i);
        check(value >= 0.0f && value <= 1.0f);
        // The program keeps what the state held; the parameter is it, held to 0..1.
        const float stored = current.fpar[i].load();
        check(value == (stored > 1.0f ? 1.0f : (stored >= 0.0f ? stored : 0.0f)));
    }
    // What the effect writes, it reads back unchanged.
    size_t bytes = 0;
    const uint8_t* saved = zindra.saveState(kind, bytes);
    check(bytes > 0 && saved != nullptr);
    std::vector<uint8_t> copy(saved, saved + bytes);
    float before[core::ZindraEffect::kNumParams];
    for (int32_t i = 0; i < core::ZindraEffect::kNumParams; ++i) before[i] = zindra.parameter(i);
    check(zindra.loadState(kind, copy.data(), bytes) == nullptr);
    for (int32_t i = 0; i < core::ZindraEffect::kNumParams; ++i)
        check(zindra.parameter(i) == before[i]);
    size_t again = 0;
    const uint8_t* resaved = zindra.saveState(kind, again);
    check(again == bytes && std::memcmp(resaved, copy.data(), bytes) == 0);
    return 0;
}
