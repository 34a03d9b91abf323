#include "vst3/StreamBytes.h"

namespace vst3 {

size_t readAll(IBStream& stream, uint8_t* buffer, size_t capacity) {
    size_t got = 0;
    uint8_t spill = 0;
    while (got <= capacity) {
        const bool inBuffer = got < capacity;
        const auto want = static_cast<int32_t>(inBuffer ? capacity - got : 1);
        int32_t read = 0;
        if (stream.read(inBuffer ? buffer + got : &spill, want, &read) != kResultOk || read <= 0)
            break;
        got += static_cast<size_t>(read);
    }
    return got;
}

bool writeAll(IBStream& stream, const uint8_t* bytes, size_t size) {
    const auto want = static_cast<int32_t>(size);
    int32_t written = 0;
    return stream.write(const_cast<uint8_t*>(bytes), want, &written) == kResultOk &&
           written == want;
}

}  // namespace vst3
