// Arbitrary bytes offered to an effect as a preset or a bank, as a host
// reading a damaged project file would. The first byte chooses the kind (bit
// 0) and the effect (bit 1: Zindra Deep, else Zindra).
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
#include "core/deep/DeepEffect.h"

namespace {

template <typename Effect>
Effect& effect() {
    static core::FixedRateHooks hooks;
    static auto* instance = new Effect(hooks);
    return *instance;
}

void check(bool condition) {
    if (!condition) std::abort();
}

template <typename Effect>
void offer(core::StateKind kind, std::vector<uint8_t>& chunk) {
    Effect& zindra = effect<Effect>();
    const char* refusal =
        zindra.loadState(kind, chunk.empty() ? nullptr : chunk.data(), chunk.size());
    check(refusal == nullptr || refusal[0] == 'E');

    const auto& current = zindra.programBank().program(zindra.program());
    for (int32_t i = 0; i < Effect::kNumParams; ++i) {
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
    float before[Effect::kNumParams];
    for (int32_t i = 0; i < Effect::kNumParams; ++i) before[i] = zindra.parameter(i);
    check(zindra.loadState(kind, copy.data(), bytes) == nullptr);
    for (int32_t i = 0; i < Effect::kNumParams; ++i) check(zindra.parameter(i) == before[i]);
    size_t again = 0;
    const uint8_t* resaved = zindra.saveState(kind, again);
    check(again == bytes && std::memcmp(resaved, copy.data(), bytes) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto kind = (data[0] & 1) != 0 ? core::StateKind::Preset : core::StateKind::Bank;
    std::vector<uint8_t> chunk(data + 1, data + size);  // exactly the offered bytes
    if ((data[0] & 2) != 0)
        offer<deep::DeepEffect>(kind, chunk);
    else
        offer<core::ZindraEffect>(kind, chunk);
    return 0;
}
