// Writes the bundle's Turtle files (manifest, plug-in and UI description,
// presets) from what the effect itself says through its record: parameter
// names, defaults, pin labels, program names and values. Run by the build,
// so that the description cannot drift from the code.
//
//   describe_bundle OUTPUT_DIR BINARY_NAME MINOR_VERSION MICRO_VERSION
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lv2/EffectHost.h"

namespace {

using lv2::EffectHost;

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

std::string text(EffectHost& host, int32_t opcode, int32_t index) {
    char buffer[512] = {};
    host.send(opcode, index, 0, buffer);
    buffer[sizeof buffer - 1] = '\0';
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

std::vector<float> parameters(EffectHost& host) {
    std::vector<float> values;
    AEffect& e = host.record();
    for (int32_t i = 0; i < e.numParams; ++i) values.push_back(e.getParameter(&e, i));
    return values;
}

std::string manifest(EffectHost& host, const std::string& binary) {
    std::ostringstream out;
    out << kPrefixes;
    out << iri(lv2::kPluginUri) << "\n    a lv2:Plugin ;\n    lv2:binary <" << binary
        << "> ;\n    rdfs:seeAlso <zindra.ttl> .\n\n";
    out << iri(lv2::kUiUri) << "\n    a ui:X11UI ;\n    ui:binary <" << binary
        << "> ;\n    rdfs:seeAlso <zindra.ttl> .\n";
    for (int32_t p = 0; p < host.record().numPrograms; ++p)
        out << "\n"
            << iri(presetUri(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
            << iri(lv2::kPluginUri) << " ;\n    rdfs:seeAlso <presets.ttl> .\n";
    return out.str();
}

void audioPort(std::ostringstream& out, EffectHost& host, uint32_t index, bool input) {
    VstPinProperties pin{};
    host.send(input ? effGetInputProperties : effGetOutputProperties, index % 2, 0, &pin);
    pin.label[sizeof pin.label - 1] = '\0';
    const char* side = index % 2 ? "right" : "left";
    out << "        a lv2:AudioPort , " << (input ? "lv2:InputPort" : "lv2:OutputPort")
        << " ;\n        lv2:index " << index << " ;\n        lv2:symbol \""
        << (input ? "in_" : "out_") << side << "\" ;\n        lv2:name " << literal(pin.label)
        << "\n";
}

std::string plugin(EffectHost& host, int minor, int micro) {
    AEffect& e = host.record();
    std::ostringstream out;
    out << kPrefixes;
    out << iri(lv2::kPluginUri) << "\n    a lv2:Plugin , lv2:SpatialPlugin ;\n"
        << "    doap:name " << literal(text(host, effGetEffectName, 0)) << " ;\n"
        << "    lv2:project [\n        a doap:Project ;\n        doap:name "
        << literal(text(host, effGetProductString, 0)) << " ;\n        doap:maintainer [ foaf:name "
        << literal(text(host, effGetVendorString, 0)) << " ]\n    ] ;\n"
        << "    lv2:minorVersion " << minor << " ;\n    lv2:microVersion " << micro << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
        << "    lv2:extensionData state:interface ;\n    ui:ui " << iri(lv2::kUiUri) << " ;\n"
        << "    lv2:port [\n";
    for (uint32_t i = 0; i < 4; ++i) {
        audioPort(out, host, i, i < 2);
        out << "    ] , [\n";
    }
    const std::vector<float> defaults = parameters(host);
    for (int32_t i = 0; i < lv2::kNumControls; ++i) {
        const lv2::ControlPort& port = lv2::kControls[i];
        out << "        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index "
            << lv2::kFirstControl + static_cast<uint32_t>(i) << " ;\n        lv2:symbol \""
            << port.symbol << "\" ;\n        lv2:name " << literal(text(host, effGetParamName, i))
            << " ;\n        lv2:default " << number(defaults[static_cast<size_t>(i)])
            << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0";
        if (port.toggled) out << " ;\n        lv2:portProperty lv2:toggled";
        out << "\n    ] , [\n";
    }
    out << "        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index " << lv2::kLatencyPort
        << " ;\n        lv2:symbol \"latency\" ;\n        lv2:name \"Latency\" ;\n"
        << "        lv2:designation lv2:latency ;\n"
        << "        lv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
        << "        lv2:minimum 0 ;\n        lv2:maximum " << e.initialDelay
        << " ;\n        units:unit units:frame\n    ] .\n\n";

    out << iri(lv2::kUiUri) << "\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:parent , ui:idleInterface ,\n"
        << "        <http://lv2plug.in/ns/ext/instance-access> ;\n"
        << "    lv2:optionalFeature ui:resize ;\n"
        << "    lv2:extensionData ui:idleInterface";
    for (int32_t i = 0; i < lv2::kNumControls; ++i)
        out << " ;\n    ui:portNotification [\n        ui:plugin " << iri(lv2::kPluginUri)
            << " ;\n        lv2:symbol \"" << lv2::kControls[i].symbol
            << "\" ;\n        ui:protocol ui:floatProtocol\n    ]";
    out << " .\n";
    return out.str();
}

std::string presets(EffectHost& host) {
    AEffect& e = host.record();
    std::ostringstream out;
    out << kPrefixes;
    for (int32_t p = 0; p < e.numPrograms; ++p) {
        host.send(effSetProgram, 0, p);
        const std::vector<float> values = parameters(host);
        out << iri(presetUri(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
            << iri(lv2::kPluginUri) << " ;\n    rdfs:label "
            << literal(text(host, effGetProgramName, 0)) << " ;\n    lv2:port [\n";
        for (int32_t i = 0; i < lv2::kNumControls; ++i)
            out << "        lv2:symbol \"" << lv2::kControls[i].symbol
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
    auto host = EffectHost::create(44100.0);
    if (!host) {
        std::fprintf(stderr, "describe_bundle: the effect does not match the bundle's ports\n");
        return 1;
    }
    const bool ok =
        write(dir + "/manifest.ttl", manifest(*host, argv[2])) &&
        write(dir + "/zindra.ttl", plugin(*host, std::stoi(argv[3]), std::stoi(argv[4]))) &&
        write(dir + "/presets.ttl", presets(*host));
    if (!ok) std::fprintf(stderr, "describe_bundle: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
