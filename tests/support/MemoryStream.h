// Host-side VST 3 objects that tests hand to the module: reference counting
// for objects the test owns, and a stream over bytes in memory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vst3/vst3.h"

namespace vst3host {

using namespace vst3;

// The host's objects live on the test's stack: counted, never deleted, so
// that a test can tell whether the module gave back every reference.
template <typename Interface>
class Owned : public Interface {
public:
    tresult ZINDRA_VST3_CALL queryInterface(const TUID interfaceId, void** object) override {
        if (!object) return kInvalidArgument;
        *object = nullptr;
        if (!sameUid(interfaceId, FUnknown::iid) && !sameUid(interfaceId, Interface::iid))
            return kNoInterface;
        *object = static_cast<Interface*>(this);
        addRef();
        return kResultOk;
    }
    uint32_t ZINDRA_VST3_CALL addRef() override { return ++references; }
    uint32_t ZINDRA_VST3_CALL release() override { return --references; }

    uint32_t references = 1;
};

// A stream over memory. Reads hand out at most `readLimit` bytes a call, as
// streams over files and sockets may.
class MemoryStream final : public Owned<IBStream> {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> data, size_t limit = SIZE_MAX)
        : bytes(std::move(data)), readLimit(limit) {}

    tresult ZINDRA_VST3_CALL read(void* buffer, int32_t numBytes, int32_t* numBytesRead) override {
        if (!buffer || numBytes < 0) return kInvalidArgument;
        const size_t n =
            std::min({static_cast<size_t>(numBytes), bytes.size() - position, readLimit});
        // An empty vector's data may be null, which memcpy must not see.
        if (n > 0) std::memcpy(buffer, bytes.data() + position, n);
        position += n;
        if (numBytesRead) *numBytesRead = static_cast<int32_t>(n);
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL write(void* buffer, int32_t numBytes,
                                   int32_t* numBytesWritten) override {
        if (!buffer || numBytes < 0) return kInvalidArgument;
        const auto* from = static_cast<const uint8_t*>(buffer);
        if (bytes.size() < position + numBytes) bytes.resize(position + numBytes);
        if (numBytes > 0) std::memcpy(bytes.data() + position, from, static_cast<size_t>(numBytes));
        position += static_cast<size_t>(numBytes);
        if (numBytesWritten) *numBytesWritten = numBytes;
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL seek(int64_t pos, int32_t mode, int64_t* result) override {
        const int64_t base = mode == kIBSeekSet   ? 0
                             : mode == kIBSeekCur ? static_cast<int64_t>(position)
                                                  : static_cast<int64_t>(bytes.size());
        if (mode < kIBSeekSet || mode > kIBSeekEnd || base + pos < 0) return kInvalidArgument;
        position = static_cast<size_t>(base + pos);
        if (bytes.size() < position) bytes.resize(position);
        if (result) *result = static_cast<int64_t>(position);
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL tell(int64_t* pos) override {
        if (!pos) return kInvalidArgument;
        *pos = static_cast<int64_t>(position);
        return kResultOk;
    }

    std::vector<uint8_t> bytes;

private:
    size_t position = 0;
    size_t readLimit = SIZE_MAX;
};

}  // namespace vst3host
