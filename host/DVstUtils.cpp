#include "host/DVstUtils.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/system.h"

int32_t roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result = below + 1.0;
    return static_cast<int32_t>(result);
}

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

std::string pluginFolder() {
    const std::string file = platform::moduleFilePath();
    const auto cut = file.find_last_of(platform::pathSeparators());
    if (cut == std::string::npos) return {};
    return file.substr(0, cut + 1);
}
