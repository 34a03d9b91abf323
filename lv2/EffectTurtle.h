// EffectTurtle: what the bundle's Turtle says of one effect, written from
// its description (PluginDescription.h), its table, its latency and an
// instance of it for its values and programs' names: its entries in the
// manifest, its plug-in file (ports and, where it has one, its UI) and its
// presets' file. Used by describe_bundle at build time only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "lv2/PluginDescription.h"
#include "lv2/ports.h"
#include "lv2/turtle_text.h"

namespace lv2 {

template <typename Effect>
class EffectTurtle {
public:
    static constexpr const PluginDescription& kDescription = DescriptionOf<Effect>::kDescription;
    using EffectPorts = Ports<Effect>;

    explicit EffectTurtle(Effect& instance) : effect(instance) {}

    static std::string presetUri(int32_t program) {
        return std::string(kDescription.uri) + "#program" + std::to_string(program);
    }

    // The effect's entries in the manifest.
    static std::string manifestEntries(const std::string& binary) {
        std::ostringstream out;
        out << turtle::iri(kDescription.uri) << "\n    a lv2:Plugin ;\n    lv2:binary <" << binary
            << "> ;\n    rdfs:seeAlso <" << kDescription.pluginFile << "> .\n";
        if (kDescription.uiUri)
            out << "\n"
                << turtle::iri(kDescription.uiUri) << "\n    a ui:X11UI ;\n    ui:binary <"
                << binary << "> ;\n    rdfs:seeAlso <" << kDescription.pluginFile << "> .\n";
        for (int32_t p = 0; p < Effect::kNumPrograms; ++p)
            out << "\n"
                << turtle::iri(presetUri(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
                << turtle::iri(kDescription.uri) << " ;\n    rdfs:seeAlso <"
                << kDescription.presetsFile << "> .\n";
        return out.str();
    }

    std::string plugin(int minor, int micro) {
        constexpr core::EffectIdentity identity = Effect::identity();
        std::ostringstream out;
        out << turtle::kPrefixes;
        out << turtle::iri(kDescription.uri) << "\n    a lv2:Plugin , lv2:SpatialPlugin ;\n"
            << "    doap:name " << turtle::literal(identity.effectName) << " ;\n"
            << "    lv2:project [\n        a doap:Project ;\n        doap:name "
            << turtle::literal(identity.productName) << " ;\n        doap:maintainer [ foaf:name "
            << turtle::literal(identity.vendorName) << " ]\n    ] ;\n"
            << "    lv2:minorVersion " << minor << " ;\n    lv2:microVersion " << micro << " ;\n"
            << "    lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
            << "    lv2:extensionData state:interface ;\n";
        if (kDescription.uiUri) out << "    ui:ui " << turtle::iri(kDescription.uiUri) << " ;\n";
        out << "    lv2:port [\n";
        for (uint32_t i = 0; i < 4; ++i) {
            audioPort(out, i, i < 2);
            out << "    ] , [\n";
        }
        const std::vector<std::string> defaults = portValues();
        for (int32_t i = 0; i < EffectPorts::kNumControls; ++i) {
            const core::ParameterInfo& port = row(i);
            out << "        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index "
                << kFirstControl + static_cast<uint32_t>(i) << " ;\n        lv2:symbol \""
                << port.symbol << "\" ;\n        lv2:name " << turtle::literal(port.name)
                << " ;\n        lv2:default " << defaults[static_cast<size_t>(i)]
                << " ;\n        lv2:minimum " << turtle::number(0.0f) << " ;\n        lv2:maximum "
                << turtle::number(EffectPorts::portValue(i, 1.0f));
            if (const char* unit = turtle::unitTerm(port.readout);
                unit && kDescription.portsInUnits)
                out << " ;\n        units:unit " << unit;
            if (port.isSwitch()) out << " ;\n        lv2:portProperty lv2:toggled";
            out << "\n    ] , [\n";
        }
        out << "        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index "
            << EffectPorts::kLatency
            << " ;\n        lv2:symbol \"latency\" ;\n        lv2:name \"Latency\" ;\n"
            << "        lv2:designation lv2:latency ;\n"
            << "        lv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
            << "        lv2:minimum 0 ;\n        lv2:maximum " << Effect::kLatencySamples
            << " ;\n        units:unit units:frame\n    ] .\n";
        if (kDescription.uiUri) out << "\n" << ui();
        return out.str();
    }

    // Each factory program as a preset, in the ports' terms.
    std::string presets() {
        std::ostringstream out;
        out << turtle::kPrefixes;
        for (int32_t p = 0; p < Effect::kNumPrograms; ++p) {
            effect.setProgram(p);
            const std::vector<std::string> values = portValues();
            out << turtle::iri(presetUri(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
                << turtle::iri(kDescription.uri) << " ;\n    rdfs:label "
                << turtle::literal(programName(p)) << " ;\n    lv2:port [\n";
            for (int32_t i = 0; i < EffectPorts::kNumControls; ++i)
                out << "        lv2:symbol \"" << row(i).symbol << "\" ;\n        pset:value "
                    << values[static_cast<size_t>(i)]
                    << (i + 1 < EffectPorts::kNumControls ? "\n    ] , [\n" : "\n    ] .\n\n");
        }
        return out.str();
    }

    // "symbol = value of program" for each value that no port value gives
    // back, as plugin and presets met them: such a description is wrong.
    const std::vector<std::string>& unreadableValues() const { return unreadable; }

private:
    // A control port's value as the bundle publishes it for the effect's
    // value of parameter index. Empty when no port value gives the effect's
    // value back.
    static std::optional<std::string> portNumber(int32_t index, float value) {
        const auto [port, places] = EffectPorts::published(index, value);
        if (EffectPorts::effectValue(index, port) != value) return std::nullopt;
        if (places < 0) return turtle::number(port);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", places, static_cast<double>(port));
        return places ? std::string(buffer) : std::string(buffer) + ".0";
    }

    static const core::ParameterInfo& row(int32_t i) {
        return Effect::parameters()[static_cast<size_t>(i)];
    }

    // The audio ports' names: "Input #1", "Output #2".
    static void audioPort(std::ostringstream& out, uint32_t index, bool input) {
        const char* side = index % 2 ? "right" : "left";
        const std::string name =
            std::string(input ? "Input" : "Output") + " #" + std::to_string(index % 2 + 1);
        out << "        a lv2:AudioPort , " << (input ? "lv2:InputPort" : "lv2:OutputPort")
            << " ;\n        lv2:index " << index << " ;\n        lv2:symbol \""
            << (input ? "in_" : "out_") << side << "\" ;\n        lv2:name "
            << turtle::literal(name) << "\n";
    }

    static std::string ui() {
        std::ostringstream out;
        out << turtle::iri(kDescription.uiUri) << "\n    a ui:X11UI ;\n"
            << "    lv2:requiredFeature ui:parent , ui:idleInterface ,\n"
            << "        <http://lv2plug.in/ns/ext/instance-access> ;\n"
            << "    lv2:optionalFeature ui:resize ;\n"
            << "    lv2:extensionData ui:idleInterface";
        for (int32_t i = 0; i < EffectPorts::kNumControls; ++i)
            out << " ;\n    ui:portNotification [\n        ui:plugin "
                << turtle::iri(kDescription.uri) << " ;\n        lv2:symbol \"" << row(i).symbol
                << "\" ;\n        ui:protocol ui:floatProtocol\n    ]";
        out << " .\n";
        return out.str();
    }

    // The effect's current values as the ports' values.
    std::vector<std::string> portValues() {
        std::vector<std::string> values;
        for (int32_t i = 0; i < EffectPorts::kNumControls; ++i) {
            const float value = effect.parameter(i);
            const std::optional<std::string> text = portNumber(i, value);
            if (!text)
                unreadable.push_back(std::string(row(i).symbol) + " = " + turtle::number(value) +
                                     " of " + programName(effect.program()));
            values.push_back(text.value_or(turtle::number(value)));
        }
        return values;
    }

    std::string programName(int32_t program) const {
        char buffer[64] = {};
        effect.programName(program, buffer, sizeof buffer - 1);
        return buffer;
    }

    Effect& effect;
    std::vector<std::string> unreadable;
};

}  // namespace lv2
