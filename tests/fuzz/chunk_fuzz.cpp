// Arbitrary bytes offered to the effect as a preset or a bank, as a host
// reading a damaged project file would. The first byte chooses the kind.
// Whatever the bytes, the call answers 1, and afterwards the current program
// equals the parameters and a chunk round trip changes nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vst2/uPlugin.h"

namespace {

APlugin& effect() {
    static APlugin* plugin = new APlugin(nullptr);
    return *plugin;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Refused chunks are reported; keep the reports out of the way.
    setenv("ZINDRA_MESSAGE_LOG", "/dev/null", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    APlugin& plugin = effect();
    const bool isPreset = (data[0] & 1) != 0;
    std::vector<uint8_t> chunk(data + 1, data + size);  // exactly the offered bytes
    check(plugin.setChunk(chunk.empty() ? nullptr : chunk.data(),
                          static_cast<int32_t>(chunk.size()), isPreset) == 1);

    for (int32_t i = 0; i < APlugin::kNumParams; ++i) {
        const float value = plugin.getParameter(i);
        check(value >= 0.0f && value <= 1.0f);
    }
    // What the effect writes, it reads back unchanged.
    void* saved = nullptr;
    const int32_t bytes = plugin.getChunk(&saved, isPreset);
    check(bytes > 0 && saved != nullptr);
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(saved),
                              static_cast<const uint8_t*>(saved) + bytes);
    float before[APlugin::kNumParams];
    for (int32_t i = 0; i < APlugin::kNumParams; ++i) before[i] = plugin.getParameter(i);
    check(plugin.setChunk(copy.data(), bytes, isPreset) == 1);
    for (int32_t i = 0; i < APlugin::kNumParams; ++i) check(plugin.getParameter(i) == before[i]);
    return 0;
}
