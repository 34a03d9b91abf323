// Four-character codes: identifiers and magic numbers.
#pragma once

#include <cstdint>

// Four-character code, first character in the most significant byte.
constexpr int32_t makeFourCC(char c0, char c1, char c2, char c3) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(c0)) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c1)) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c2)) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(c3)));
}
