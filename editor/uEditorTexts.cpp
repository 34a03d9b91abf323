#include "editor/uEditorTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dsp/Vst_math.h"

namespace editor {
namespace {

// A value held in units of 10^-decimals, written out with that many decimals.
std::string fixedText(int64_t units, int decimals, const std::string& separator) {
    const bool negative = units < 0;
    uint64_t magnitude = negative ? static_cast<uint64_t>(-units) : static_cast<uint64_t>(units);
    std::string fraction(static_cast<size_t>(std::max(decimals, 0)), '0');
    for (size_t i = fraction.size(); i-- > 0; magnitude /= 10)
        fraction[i] = static_cast<char>('0' + magnitude % 10);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude);
    if (decimals > 0) text += separator + fraction;
    return text;
}

// Nearest integer, ties to even; held to what 64 bits carry with room for the decimals.
int64_t roundToEven(double v) {
    return static_cast<int64_t>(nearestEven(std::clamp(v, -9e17, 9e17)));
}

}  // namespace

std::string latencyReadout(float ms, const std::string& decimalSeparator) {
    double v = std::isfinite(ms) ? static_cast<double>(ms) : 0.0;
    // Five significant digits, of which at most two are decimals.
    int decimals = 2;
    if (v != 0.0) {
        const int integerDigits = static_cast<int>(std::floor(std::log10(std::fabs(v)))) + 1;
        decimals = std::min(2, std::max(0, 5 - integerDigits));
    }
    const double scale = std::pow(10.0, decimals);
    const int64_t kept = roundToEven(v * scale);
    const int64_t units = kept * static_cast<int64_t>(std::pow(10.0, 2 - decimals));
    return fixedText(units, 2, decimalSeparator) + " ms";
}

std::string fourDecimals(float value, const std::string& decimalSeparator) {
    // A float times 10^4 is exact in double precision, so only the final
    // rounding decides.
    const double v = std::isfinite(value) ? static_cast<double>(value) : 0.0;
    return fixedText(roundToEven(v * 10000.0), 4, decimalSeparator);
}

std::string dumpText(std::span<const float> values, const std::string& decimalSeparator) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        text += "programs[0].fpar[" + std::to_string(i) +
                "]:= " + fourDecimals(values[i], decimalSeparator) + ";\r\n";
    }
    return text;
}

}  // namespace editor
