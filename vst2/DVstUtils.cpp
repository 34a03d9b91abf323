#include "vst2/DVstUtils.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/system.h"

void floatToText(char* destination, float value) {
    if (!destination) return;
    // Formatting in the "C" convention and swapping the separator keeps the
    // digits independent of whatever locale the host process has set.
    char digits[64];
    const auto [end, error] =
        std::isfinite(value)
            ? std::to_chars(digits, digits + sizeof digits - 1, value, std::chars_format::fixed, 2)
            : std::to_chars(digits, digits + sizeof digits - 1, 0.0f, std::chars_format::fixed, 2);
    const char* stop = error == std::errc() ? end : digits;
    const std::string separator = platform::userDecimalSeparator();
    char* out = destination;
    for (const char* c = digits; c != stop; ++c) {
        if (*c == '.') {
            std::memcpy(out, separator.data(), separator.size());
            out += separator.size();
        } else {
            *out++ = *c;
        }
    }
    *out = '\0';
}
