// Small helpers shared by the host interface, the plug-in and its editor.
#pragma once

#include <cstdint>
#include <string>

// Four-character code, first character in the most significant byte.
constexpr int32_t makeFourCC(char c0, char c1, char c2, char c3) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(c0)) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c1)) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c2)) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(c3)));
}

// Nearest integer, ties to the even neighbour, independent of the current
// rounding mode. NaN gives 0; values beyond the int32 range saturate.
int32_t roundHalfEven(double value);

// Writes value in fixed notation with two decimals and the user's locale
// decimal separator ("0.50", "0,50", "-1.00"), terminated. The caller provides
// room for the whole text; non-finite values are written as "0.00".
void floatToText(char* destination, float value);

// The folder of the plug-in library file itself (not the host program's),
// ending with the path separator. Empty when the system cannot tell.
std::string pluginFolder();
