// The pieces of Turtle the bundle's description is written with: the
// prefixes every file declares, literals, numbers and IRIs.
#pragma once

#include <cstdio>
#include <string>

#include "core/ParameterTable.h"

namespace lv2::turtle {

inline constexpr const char* kPrefixes =
    "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

// A Turtle string literal.
inline std::string literal(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

// A Turtle decimal or double: always with a point or an exponent, so that
// it never reads as an integer.
inline std::string number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    std::string s = buffer;
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s;
}

inline std::string iri(const std::string& s) { return "<" + s + ">"; }

// The unit of a readout in LV2's units vocabulary; null for a switch.
inline const char* unitTerm(core::Readout readout) {
    switch (readout) {
        case core::Readout::Hertz: return "units:hz";
        case core::Readout::Percent: return "units:pc";
        case core::Readout::Decibels: return "units:db";
        case core::Readout::Milliseconds: return "units:ms";
        case core::Readout::Switch: break;
    }
    return nullptr;
}

}  // namespace lv2::turtle
