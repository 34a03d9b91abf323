// A VST 3 stream over bytes in memory, as hosts hand states to a component.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vst3/vst3.h"

class MemoryStream final : public vst3::IBStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> contents) : bytes(std::move(contents)) {}

    vst3::tresult ZINDRA_VST3_CALL queryInterface(const vst3::TUID interfaceId,
                                                  void** object) override {
        if (vst3::sameUid(interfaceId, vst3::FUnknown::iid) ||
            vst3::sameUid(interfaceId, vst3::IBStream::iid)) {
            *object = this;
            return vst3::kResultOk;
        }
        *object = nullptr;
        return vst3::kNoInterface;
    }
    // Lives on the stack or in its owner: counting changes nothing.
    uint32_t ZINDRA_VST3_CALL addRef() override { return 1; }
    uint32_t ZINDRA_VST3_CALL release() override { return 1; }

    vst3::tresult ZINDRA_VST3_CALL read(void* buffer, int32_t numBytes,
                                        int32_t* numBytesRead) override {
        const size_t n = numBytes > 0 ? std::min(static_cast<size_t>(numBytes), bytes.size() - at) : 0;
        if (n) std::memcpy(buffer, bytes.data() + at, n);
        at += n;
        if (numBytesRead) *numBytesRead = static_cast<int32_t>(n);
        return vst3::kResultOk;
    }
    vst3::tresult ZINDRA_VST3_CALL write(void* buffer, int32_t numBytes,
                                         int32_t* numBytesWritten) override {
        if (numBytes < 0) return vst3::kInvalidArgument;
        const auto* from = static_cast<const uint8_t*>(buffer);
        if (at + static_cast<size_t>(numBytes) > bytes.size()) bytes.resize(at + numBytes);
        std::memcpy(bytes.data() + at, from, static_cast<size_t>(numBytes));
        at += static_cast<size_t>(numBytes);
        if (numBytesWritten) *numBytesWritten = numBytes;
        return vst3::kResultOk;
    }
    vst3::tresult ZINDRA_VST3_CALL seek(int64_t pos, int32_t mode, int64_t* result) override {
        const int64_t base = mode == kIBSeekSet ? 0
                             : mode == kIBSeekCur ? static_cast<int64_t>(at)
                                                  : static_cast<int64_t>(bytes.size());
        const int64_t to = base + pos;
        if (to < 0 || to > static_cast<int64_t>(bytes.size())) return vst3::kInvalidArgument;
        at = static_cast<size_t>(to);
        if (result) *result = to;
        return vst3::kResultOk;
    }
    vst3::tresult ZINDRA_VST3_CALL tell(int64_t* pos) override {
        if (pos) *pos = static_cast<int64_t>(at);
        return vst3::kResultOk;
    }

    std::vector<uint8_t> bytes;

private:
    size_t at = 0;
};
