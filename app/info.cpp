// `zindra info`: what the plug-in library reports to a host.
#include <cstdio>

#include "app/HostedPlugin.h"
#include "app/commands.h"

namespace {

std::string fourCC(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<uint32_t>(code) >> shift) & 0xFF);
        text.push_back(c >= 32 && c < 127 ? c : '?');
    }
    return text;
}

std::string flagNames(int32_t flags) {
    static const struct {
        int32_t bit;
        const char* name;
    } names[] = {{effFlagsHasEditor, "editor"},
                 {effFlagsHasClip, "clip"},
                 {effFlagsHasVu, "vu"},
                 {effFlagsCanMono, "mono"},
                 {effFlagsCanReplacing, "replacing"},
                 {effFlagsProgramChunks, "chunks"},
                 {effFlagsIsSynth, "synth"},
                 {effFlagsNoSoundInStop, "no-tail"},
                 {effFlagsExtIsAsync, "async"},
                 {effFlagsExtHasBuffer, "external-buffer"}};
    std::string text;
    for (const auto& name : names)
        if (flags & name.bit) text += (text.empty() ? "" : ", ") + std::string(name.name);
    return text;
}

}  // namespace

int runInfo(const std::string& pluginPath) {
    HostedPlugin plugin(pluginPath, 44100.0f);
    const AEffect& e = plugin.record();
    std::printf("Library:     %s\n", pluginPath.c_str());
    std::printf("Name:        %s\n", plugin.text(effGetEffectName).c_str());
    std::printf("Vendor:      %s\n", plugin.text(effGetVendorString).c_str());
    std::printf("Product:     %s\n", plugin.text(effGetProductString).c_str());
    std::printf("Version:     %d (vendor version %d)\n", e.version,
                static_cast<int>(plugin.send(effGetVendorVersion)));
    std::printf("Unique ID:   %s (0x%08X)\n", fourCC(e.uniqueID).c_str(),
                static_cast<unsigned>(e.uniqueID));
    std::printf("Programs:    %d\n", e.numPrograms);
    std::printf("Parameters:  %d\n", e.numParams);
    std::printf("Inputs:      %d\n", e.numInputs);
    std::printf("Outputs:     %d\n", e.numOutputs);
    std::printf("Flags:       0x%X (%s)\n", static_cast<unsigned>(e.flags),
                flagNames(e.flags).c_str());
    std::printf("Latency:     %d samples (%.2f ms at 44100 Hz)\n", e.initialDelay,
                e.initialDelay * 1000.0 / 44100.0);
    std::printf("VST version: %d\n", static_cast<int>(plugin.send(effGetVstVersion)));
    return 0;
}
