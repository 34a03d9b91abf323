// How an effect describes its parameters: one row per parameter, from which
// every format, the editor, the command and the tests derive their lists.
// Hosts always set a value in 0..1; the row says what it means to a person.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

// How a value reads for a person, in the editor and in hosts that show the
// effect's own texts.
enum class Readout : uint8_t {
    Hertz,         // value x span as whole hertz: "4300 Hz"
    Percent,       // value x 100 as a whole percentage: "10 %"
    Switch,        // "on" from 0.5 up (ties to even: 0.5 is "off"), else "off"
    Decibels,      // value x span as whole decibels: "30 dB"
    Milliseconds,  // value x span as whole milliseconds: "40 ms"
};

// The unit a readout shows after its number ("" for a switch).
constexpr const char* unitOf(Readout readout) {
    switch (readout) {
        case Readout::Hertz: return "Hz";
        case Readout::Percent: return "%";
        case Readout::Decibels: return "dB";
        case Readout::Milliseconds: return "ms";
        case Readout::Switch: break;
    }
    return "";
}

struct ParameterInfo {
    const char* name;    // as hosts show it
    const char* label;   // the unit VST 2 hosts show beside their text
    const char* symbol;  // a name for machines: lower case, digits and '_'
    Readout readout;
    float span;          // Hertz, Decibels, Milliseconds: the units of value 1
    float defaultValue;  // the first factory program's value
    constexpr bool isSwitch() const { return readout == Readout::Switch; }
    // The units value 1 stands for: the span, 100 for a percentage, 1 for a switch.
    constexpr double unitsPerValue() const {
        return readout == Readout::Percent  ? 100.0
               : readout == Readout::Switch ? 1.0
                                            : static_cast<double>(span);
    }
};

using ParameterTable = std::span<const ParameterInfo>;

// [any thread] What the editor shows for value: "4300 Hz", "10 %", "on".
std::string readoutText(const ParameterInfo& parameter, float value);
// [any thread] The same without the unit: "4300", "10", "on".
std::string readoutNumber(const ParameterInfo& parameter, float value);
// [any thread] The state a switch shows for value: 1 on, 0 off.
int switchState(float value);
// [any thread] The value a person means by text, as hosts let them type it:
// a readout ("4300 Hz", "10 %", "on"), or a number in the readout's unit
// with or without it ("4300", "10"); switches also take "off"/"on" in any
// case and "0"/"1". Held to 0..1; false when the text says nothing usable.
bool valueFromText(const ParameterInfo& parameter, std::string_view text, float& value);

// A symbol machines can take: non-empty, lower case letters, digits and '_',
// not starting with a digit.
constexpr bool isSymbol(std::string_view s) {
    if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
    for (const char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

// What every table must satisfy; checked at compile time where a table is defined.
constexpr bool wellFormed(ParameterTable table) {
    for (size_t i = 0; i < table.size(); ++i) {
        const ParameterInfo& p = table[i];
        if (!isSymbol(p.symbol) || std::string_view(p.name).empty()) return false;
        if (!(p.defaultValue >= 0.0f && p.defaultValue <= 1.0f)) return false;
        if (!(p.unitsPerValue() > 0.0)) return false;
        if (p.isSwitch() && p.defaultValue != 0.0f && p.defaultValue != 1.0f) return false;
        for (size_t j = 0; j < i; ++j)
            if (std::string_view(table[j].symbol) == p.symbol ||
                std::string_view(table[j].name) == p.name)
                return false;
    }
    return true;
}

}  // namespace core
