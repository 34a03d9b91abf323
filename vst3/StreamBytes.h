// Bytes through a host's stream (IBStream), which may move fewer bytes a
// call than asked.
//
// Threads: the caller's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vst3/vst3.h"

namespace vst3 {

// Reads the whole stream, at most `capacity` bytes into buffer; answers how
// many came (capacity + 1 when there were more).
size_t readAll(IBStream& stream, uint8_t* buffer, size_t capacity);

// Writes all `size` bytes; false when the stream takes fewer or fails.
bool writeAll(IBStream& stream, const uint8_t* bytes, size_t size);

}  // namespace vst3
