// Text as VST 3 records carry it: fixed arrays of 8-bit or UTF-16 characters,
// always terminated. The project's own texts are ASCII.
#pragma once

#include <cstddef>
#include <string>

#include "vst3/vst3.h"

namespace vst3 {

// Copies text into a fixed array of characters, cut to fit, terminated.
template <typename Char, size_t N>
void copyText(Char (&destination)[N], std::string_view text) {
    size_t n = 0;
    for (; n + 1 < N && n < text.size(); ++n)
        destination[n] = static_cast<Char>(static_cast<unsigned char>(text[n]));
    destination[n] = 0;
}

// A terminated UTF-16 string as 8-bit text: characters beyond ASCII become '?'.
inline std::string narrowText(const char16* text, size_t maxCharacters = 128) {
    std::string out;
    for (size_t i = 0; text && i < maxCharacters && text[i] != 0; ++i)
        out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return out;
}

}  // namespace vst3
