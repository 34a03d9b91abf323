// Writes the bundle's Turtle files (manifest, plug-in and UI description,
// presets) from what the effect itself says: its identity, its parameter
// table, its latency, its programs' names and values. Run by the build, so
// that the description cannot drift from the code.
//
//   describe_bundle OUTPUT_DIR BINARY_NAME MINOR_VERSION MICRO_VERSION
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"
#include "core/ZindraIdentity.h"
#include "lv2/ports.h"

namespace {

using core::ZindraEffect;

const char* const kPrefixes =
    "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

std::string programName(const ZindraEffect& effect, int32_t program) {
    char buffer[64] = {};
    effect.programName(program, buffer, sizeof buffer - 1);
    return buffer;
}

// A Turtle string literal.
std::string literal(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

// A Turtle decimal or double: always with a point or an exponent, so that
// it never reads as an integer.
std::string number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    std::string s = buffer;
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s;
}

std::string iri(const std::string& s) { return "<" + s + ">"; }
std::string presetUri(int32_t program) {
    return std::string(lv2::kPluginUri) + "#program" + std::to_string(program);
}

std::vector<float> parameters(const ZindraEffect& effect) {
    std::vector<float> values;
    for (int32_t i = 0; i < ZindraEffect::kNumParams; ++i) values.push_back(effect.parameter(i));
    return values;
}

std::string manifest(const std::string& binary) {
    std::ostringstream out;
    out << kPrefixes;
    out << iri(lv2::kPluginUri) << "\n    a lv2:Plugin ;\n    lv2:binary <" << binary
        << "> ;\n    rdfs:seeAlso <zindra.ttl> .\n\n";
    out << iri(lv2::kUiUri) << "\n    a ui:X11UI ;\n    ui:binary <" << binary
        << "> ;\n    rdfs:seeAlso <zindra.ttl> .\n";
    for (int32_t p = 0; p < ZindraEffect::kNumPrograms; ++p)
        out << "\n"
            << iri(presetUri(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
            << iri(lv2::kPluginUri) << " ;\n    rdfs:seeAlso <presets.ttl> .\n";
    return out.str();
}

// The audio ports' names: "Input #1", "Output #2".
void audioPort(std::ostringstream& out, uint32_t index, bool input) {
    const char* side = index % 2 ? "right" : "left";
    const std::string name =
        std::string(input ? "Input" : "Output") + " #" + std::to_string(index % 2 + 1);
    out << "        a lv2:AudioPort , " << (input ? "lv2:InputPort" : "lv2:OutputPort")
        << " ;\n        lv2:index " << index << " ;\n        lv2:symbol \""
        << (input ? "in_" : "out_") << side << "\" ;\n        lv2:name " << literal(name) << "\n";
}

std::string plugin(const ZindraEffect& effect, int minor, int micro) {
    std::ostringstream out;
    out << kPrefixes;
    out << iri(lv2::kPluginUri) << "\n    a lv2:Plugin , lv2:SpatialPlugin ;\n"
        << "    doap:name " << literal(zindra::kEffectName) << " ;\n"
        << "    lv2:project [\n        a doap:Project ;\n        doap:name "
        << literal(zindra::kProductName) << " ;\n        doap:maintainer [ foaf:name "
        << literal(zindra::kVendorName) << " ]\n    ] ;\n"
        << "    lv2:minorVersion " << minor << " ;\n    lv2:microVersion " << micro << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
        << "    lv2:extensionData state:interface ;\n    ui:ui " << iri(lv2::kUiUri) << " ;\n"
        << "    lv2:port [\n";
    for (uint32_t i = 0; i < 4; ++i) {
        audioPort(out, i, i < 2);
        out << "    ] , [\n";
    }
    const std::vector<float> defaults = parameters(effect);
    for (int32_t i = 0; i < lv2::kNumControls; ++i) {
        const core::ParameterInfo& port = ZindraEffect::parameters()[static_cast<size_t>(i)];
        out << "        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index "
            << lv2::kFirstControl + static_cast<uint32_t>(i) << " ;\n        lv2:symbol \""
            << port.symbol << "\" ;\n        lv2:name " << literal(port.name)
            << " ;\n        lv2:default " << number(defaults[static_cast<size_t>(i)])
            << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0";
        if (port.isSwitch()) out << " ;\n        lv2:portProperty lv2:toggled";
        out << "\n    ] , [\n";
    }
    out << "        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index " << lv2::kLatencyPort
        << " ;\n        lv2:symbol \"latency\" ;\n        lv2:name \"Latency\" ;\n"
        << "        lv2:designation lv2:latency ;\n"
        << "        lv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
        << "        lv2:minimum 0 ;\n        lv2:maximum " << ZindraEffect::kLatencySamples
        << " ;\n        units:unit units:frame\n    ] .\n\n";

    out << iri(lv2::kUiUri) << "\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:parent , ui:idleInterface ,\n"
        << "        <http://lv2plug.in/ns/ext/instance-access> ;\n"
        << "    lv2:optionalFeature ui:resize ;\n"
        << "    lv2:extensionData ui:idleInterface";
    for (int32_t i = 0; i < lv2::kNumControls; ++i)
        out << " ;\n    ui:portNotification [\n        ui:plugin " << iri(lv2::kPluginUri)
            << " ;\n        lv2:symbol \""
            << ZindraEffect::parameters()[static_cast<size_t>(i)].symbol
            << "\" ;\n        ui:protocol ui:floatProtocol\n    ]";
    out << " .\n";
    return out.str();
}

std::string presets(ZindraEffect& effect) {
    std::ostringstream out;
    out << kPrefixes;
    for (int32_t p = 0; p < ZindraEffect::kNumPrograms; ++p) {
        effect.setProgram(p);
        const std::vector<float> values = parameters(effect);
        out << iri(presetUri(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
            << iri(lv2::kPluginUri) << " ;\n    rdfs:label " << literal(programName(effect, p))
            << " ;\n    lv2:port [\n";
        for (int32_t i = 0; i < lv2::kNumControls; ++i)
            out << "        lv2:symbol \""
                << ZindraEffect::parameters()[static_cast<size_t>(i)].symbol
                << "\" ;\n        pset:value " << number(values[static_cast<size_t>(i)])
                << (i + 1 < lv2::kNumControls ? "\n    ] , [\n" : "\n    ] .\n\n");
    }
    return out.str();
}

bool write(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary);
    file << contents;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: describe_bundle OUTPUT_DIR BINARY_NAME MINOR MICRO\n");
        return 2;
    }
    const std::string dir = argv[1];
    core::FixedRateHooks hooks;
    auto effect = std::make_unique<ZindraEffect>(hooks);
    if (!effect->ready()) {
        std::fprintf(stderr, "describe_bundle: no memory for the effect\n");
        return 1;
    }
    const bool ok =
        write(dir + "/manifest.ttl", manifest(argv[2])) &&
        write(dir + "/zindra.ttl", plugin(*effect, std::stoi(argv[3]), std::stoi(argv[4]))) &&
        write(dir + "/presets.ttl", presets(*effect));
    if (!ok) std::fprintf(stderr, "describe_bundle: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
