// Arbitrary bytes offered to the VST 3 component as its state, as a host
// reading a damaged project would. A state is taken whole or refused; either
// way the component then saves a state it takes back unchanged, and a refused
// state leaves the saved state exactly as it was.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "support/MemoryStream.h"
#include "vst3/ZindraComponent.h"

namespace {

vst3::ZindraComponent& component() {
    static vst3::ZindraComponent* made = vst3::ZindraComponent::create();
    if (!made) std::abort();
    return *made;
}

void check(bool condition) {
    if (!condition) std::abort();
}

std::vector<uint8_t> saved(vst3::IComponent& c) {
    vst3host::MemoryStream stream;
    check(c.getState(&stream) == vst3::kResultOk);
    return stream.bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Refused states are reported; keep the reports out of the way.
    setenv("ZINDRA_MESSAGE_LOG", "/dev/null", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vst3::IComponent& c = component();
    const std::vector<uint8_t> before = saved(c);
    vst3host::MemoryStream offered(std::vector<uint8_t>(data, data + size));
    const vst3::tresult result = c.setState(&offered);
    check(result == vst3::kResultOk || result == vst3::kResultFalse);
    const std::vector<uint8_t> after = saved(c);
    if (result != vst3::kResultOk) check(after == before);
    // What the component saves, it takes back unchanged.
    vst3host::MemoryStream again(after);
    check(c.setState(&again) == vst3::kResultOk);
    check(saved(c) == after);
    return 0;
}
