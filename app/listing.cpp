// `zindra programs` and `zindra params`: what the library reports, as a host sees it.
#include <cstdio>

#include "app/HostedPlugin.h"
#include "app/KnownEffects.h"
#include "app/PluginMessages.h"
#include "app/commands.h"

int runPrograms(const std::string& pluginPath) {
    HostedPlugin plugin(pluginPath, 44100.0f);
    const int32_t current = plugin.program();
    const auto names = plugin.programNames();
    for (size_t i = 0; i < names.size(); ++i)
        std::printf("%2zu  %s%s\n", i, names[i].c_str(),
                    static_cast<int32_t>(i) == current ? "  (current)" : "");
    return 0;
}

int runParams(const std::string& pluginPath, const EffectSettings& settings) {
    PluginMessages messages;
    HostedPlugin plugin(pluginPath, 44100.0f);
    applySettings(plugin, messages, settings);
    std::printf("Program: %d \"%s\"\n", plugin.program(), plugin.text(effGetProgramName).c_str());
    const auto names = plugin.parameterNames();
    const core::ParameterTable table = knownParameters(plugin.uniqueID());
    for (size_t i = 0; i < names.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        const float value = plugin.parameter(index);
        // The table speaks of the effect the library says it holds; a library
        // with other parameters shows only the host's texts.
        const std::string editor =
            i < table.size() ? core::readoutText(table[i], value) : std::string();
        std::printf("%2d  %-14s %-9.6g %-9s (host text: %s %s)\n", index, names[i].c_str(),
                    static_cast<double>(value), editor.c_str(),
                    plugin.text(effGetParamDisplay, index).c_str(),
                    plugin.text(effGetParamLabel, index).c_str());
    }
    return 0;
}
