#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "core/ParameterTable.h"
#include "dsp/Vst_math.h"

namespace core {

std::string readoutNumber(const ParameterInfo& parameter, float value) {
    if (parameter.isSwitch()) return switchState(value) == 1 ? "on" : "off";
    return std::to_string(roundHalfEven(static_cast<double>(value) * parameter.unitsPerValue()));
}

std::string readoutText(const ParameterInfo& parameter, float value) {
    if (parameter.isSwitch()) return readoutNumber(parameter, value);
    return readoutNumber(parameter, value) + " " + unitOf(parameter.readout);
}

int switchState(float value) { return roundHalfEven(static_cast<double>(value)); }

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Strips a trailing unit (case-insensitive), with or without a space before it.
std::string_view withoutUnit(std::string_view s, std::string_view unit) {
    if (s.size() >= unit.size() && sameLetters(s.substr(s.size() - unit.size()), unit))
        return trimmed(s.substr(0, s.size() - unit.size()));
    return s;
}

}  // namespace

bool valueFromText(const ParameterInfo& parameter, std::string_view text, float& value) {
    std::string_view s = trimmed(text);
    double number = 0.0;
    if (parameter.readout == Readout::Switch) {
        if (sameLetters(s, "on")) {
            value = 1.0f;
            return true;
        }
        if (sameLetters(s, "off")) {
            value = 0.0f;
            return true;
        }
    }
    if (!parameter.isSwitch()) s = withoutUnit(s, unitOf(parameter.readout));
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), number);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(number)) return false;
    if (parameter.isSwitch())
        number = number > 0.5 ? 1.0 : 0.0;
    else
        number /= parameter.unitsPerValue();
    value = static_cast<float>(std::clamp(number, 0.0, 1.0));
    return true;
}

}  // namespace core
