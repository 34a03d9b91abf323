// `zindra save-preset` and `zindra save-bank`: the effect's state as the
// preset and bank files hosts exchange.
#include <cstdio>
#include <stdexcept>

#include "app/HostedPlugin.h"
#include "app/PluginMessages.h"
#include "app/PresetFile.h"
#include "app/TempOutput.h"
#include "app/commands.h"

namespace {

PresetFile programValues(HostedPlugin& plugin) {
    PresetFile file;
    file.kind = PresetFile::Kind::Program;
    file.opaque = false;
    file.effectID = plugin.uniqueID();
    file.effectVersion = plugin.record().version;
    file.name = plugin.text(effGetProgramName);
    for (int32_t i = 0; i < plugin.record().numParams; ++i)
        file.values.push_back(plugin.parameter(i));
    file.count = static_cast<int32_t>(file.values.size());
    return file;
}

PresetFile snapshot(HostedPlugin& plugin, bool bank) {
    const AEffect& record = plugin.record();
    PresetFile file;
    file.kind = bank ? PresetFile::Kind::Bank : PresetFile::Kind::Program;
    file.effectID = plugin.uniqueID();
    file.effectVersion = record.version;
    file.count = bank ? record.numPrograms : record.numParams;
    file.name = plugin.text(effGetProgramName);
    file.currentProgram = plugin.program();
    if (record.flags & effFlagsProgramChunks) {
        file.chunk = plugin.chunk(!bank);
        if (file.chunk.empty()) throw std::runtime_error("the plug-in gave no chunk to save");
        return file;
    }
    file.opaque = false;
    if (!bank) return programValues(plugin);
    const int32_t current = plugin.program();
    for (int32_t i = 0; i < record.numPrograms; ++i) {
        plugin.setProgram(i);
        file.programs.push_back(programValues(plugin));
    }
    plugin.setProgram(current);
    return file;
}

}  // namespace

int runSavePreset(const std::string& pluginPath, const std::string& output,
                  const EffectSettings& settings, bool bank) {
    PluginMessages messages;
    HostedPlugin plugin(pluginPath, 44100.0f);
    applySettings(plugin, messages, settings);
    const PresetFile file = snapshot(plugin, bank);
    const auto bytes = encodePresetFile(file);
    writeFileAtomically(output, bytes.data(), bytes.size());
    if (bank)
        std::printf("%s: bank of %d programs saved\n", output.c_str(), file.count);
    else
        std::printf("%s: preset \"%s\" saved\n", output.c_str(), file.name.c_str());
    return 0;
}
