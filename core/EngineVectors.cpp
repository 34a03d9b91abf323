#include "core/EngineVectors.h"

#include <cstring>

namespace {

// Places vectors one after another on 64-byte boundaries, from base; with no
// base it only measures.
class Carver {
public:
    explicit Carver(void* start) : base(static_cast<std::byte*>(start)) {}

    template <typename T>
    void operator()(T*& vector, int32_t count) {
        used = (used + kAlign - 1) / kAlign * kAlign;
        vector = base ? reinterpret_cast<T*>(base + used) : nullptr;
        used += static_cast<size_t>(count) * sizeof(T);
    }
    size_t bytes() const { return used; }

private:
    static constexpr size_t kAlign = 64;
    std::byte* base;
    size_t used = 0;
};

}  // namespace

template <typename Take>
size_t EngineVectors::layOut(Take& take) {
    take(ringBuffer, kMaxFrameSize);
    take(inputFrame, kMaxFrameSize);
    take(dryFrame, kMaxFrameSize);
    take(outputHop, kMaxFrameSize);
    take(overlapBuffer, 2 * kMaxFrameSize);
    const size_t signalState = take.bytes();
    take(transformIn, kMaxFrameSize);
    take(transformOut, kMaxFrameSize);
    take(window, kMaxFrameSize);
    for (MagnitudeSlot& slot : magnitudeSlots) {
        take(slot.left, kMaxBinCount);
        take(slot.right, kMaxBinCount);
    }
    return signalState;
}

EngineVectors::EngineVectors() {
    Carver measure(nullptr);
    layOut(measure);
    // The toolkit's allocator reports a failure to the user and aligns to 64.
    block = V_vector(static_cast<uint32_t>(measure.bytes()), 1);
    if (!block) return;  // every vector stays null
    std::memset(block, 0, measure.bytes());
    Carver carve(block);
    signalStateBytes = layOut(carve);
}

EngineVectors::~EngineVectors() {
    if (block) V_free(block);
}

void EngineVectors::clearSignalState() {
    if (block) std::memset(block, 0, signalStateBytes);
}
