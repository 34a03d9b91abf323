#include "core/EngineVectors.h"

#include <cstring>

#include "core/VectorCarver.h"

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
