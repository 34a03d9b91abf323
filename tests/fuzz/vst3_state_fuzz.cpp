// Arbitrary bytes offered to each VST 3 class's component (Zindra's and
// Zindra Deep's) as its state, as a host reading a damaged project would. A state is taken whole or
// refused; either way the component then saves a state it takes back unchanged, and a refused state
// leaves the saved state exactly as it was.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "support/MemoryStream.h"
#include "vst3/DeepComponent.h"
#include "vst3/ZindraComponent.h"

namespace {

template <typename Component>
Component& component() {
    static Component* made = Component::create();
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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Refused states are reported; keep the reports out of the way.
    setenv("ZINDRA_MESSAGE_LOG", "/dev/null", 1);
    return 0;
}

void offer(vst3::IComponent& c, const uint8_t* data, size_t size) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    offer(component<vst3::ZindraComponent>(), data, size);
    offer(component<vst3::DeepComponent>(), data, size);
    return 0;
}
