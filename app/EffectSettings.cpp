#include "app/EffectSettings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "app/HostedPlugin.h"
#include "app/PluginMessages.h"
#include "app/PresetFile.h"

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool allDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The size of the largest bank this plug-in can have: its programs as lists
// of values, or its own bank chunk. Anything larger is refused unread.
size_t largestBankSize(HostedPlugin& plugin) {
    PresetFile values;
    values.kind = PresetFile::Kind::Bank;
    values.opaque = false;
    PresetFile program;
    program.opaque = false;
    program.values.resize(static_cast<size_t>(plugin.record().numParams));
    values.programs.assign(static_cast<size_t>(plugin.record().numPrograms), program);
    PresetFile chunk;
    chunk.kind = PresetFile::Kind::Bank;
    if (plugin.record().flags & effFlagsProgramChunks) chunk.chunk = plugin.chunk(false);
    return std::max(encodePresetFile(values).size(), encodePresetFile(chunk).size());
}

std::vector<uint8_t> readPresetBytes(const std::string& path, size_t limit) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) throw std::runtime_error(path + ": no such file or not readable");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": no such file or not readable");
    if (size <= limit)
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
    // A large file of another kind is named as such by the decoder.
    std::vector<uint8_t> head(4);
    in.read(reinterpret_cast<char*>(head.data()), 4);
    if (!startsLikePresetFile(head)) decodePresetFile(head);
    throw std::runtime_error(path + ": " + std::to_string(size) +
                             " bytes, more than any preset or bank of this plug-in (" +
                             std::to_string(limit) + " bytes at most)");
}

// Anything the plug-in said while loading is the reason the load failed.
void checkMessages(PluginMessages& messages, const std::string& path) {
    const auto lines = messages.take();
    if (!lines.empty())
        throw std::runtime_error(path + ": the plug-in rejected it: " + lines.front());
}

void applyValues(HostedPlugin& plugin, const PresetFile& program, const std::string& path) {
    if (static_cast<int32_t>(program.values.size()) != plugin.record().numParams)
        throw std::runtime_error(path + ": holds " + std::to_string(program.values.size()) +
                                 " parameter values, the plug-in has " +
                                 std::to_string(plugin.record().numParams));
    for (size_t i = 0; i < program.values.size(); ++i)
        plugin.setParameter(static_cast<int32_t>(i), program.values[i]);
    std::string name = program.name;
    plugin.send(effSetProgramName, 0, 0, name.data());
}

void loadPresetFile(HostedPlugin& plugin, PluginMessages& messages, const std::string& path,
                    PresetFile::Kind expected) {
    PresetFile file;
    try {
        file = decodePresetFile(readPresetBytes(path, largestBankSize(plugin)));
    } catch (const PresetFileError& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
    const bool bank = expected == PresetFile::Kind::Bank;
    if (file.kind != expected)
        throw std::runtime_error(path + (bank ? ": is a preset (.fxp), not a bank; use --preset"
                                              : ": is a bank (.fxb), not a preset; use --bank"));
    if (file.effectID != plugin.uniqueID())
        throw std::runtime_error(path + ": made for another plug-in (ID '" +
                                 fourCCText(file.effectID) + "'), this one is '" +
                                 fourCCText(plugin.uniqueID()) + "'");
    const bool chunks = plugin.record().flags & effFlagsProgramChunks;
    if (file.opaque) {
        if (!chunks)
            throw std::runtime_error(path +
                                     ": holds a chunk, but the plug-in does not take chunks");
        plugin.setChunk(file.chunk, !bank);
        checkMessages(messages, path);
        // The bank's header names the program that was current when it was saved.
        if (bank && file.currentProgram >= 0 && file.currentProgram < plugin.record().numPrograms)
            plugin.setProgram(file.currentProgram);
        return;
    }
    if (!bank) {
        applyValues(plugin, file, path);
        return;
    }
    const int32_t current = file.currentProgram >= 0 ? file.currentProgram : plugin.program();
    for (size_t i = 0;
         i < file.programs.size() && static_cast<int32_t>(i) < plugin.record().numPrograms; ++i) {
        plugin.setProgram(static_cast<int32_t>(i));
        applyValues(plugin, file.programs[i], path);
    }
    plugin.setProgram(current);
}

}  // namespace

int32_t findProgram(HostedPlugin& plugin, const std::string& text) {
    const int32_t count = plugin.record().numPrograms;
    if (allDigits(text)) {
        const long index = text.size() > 9 ? count : std::stol(text);
        if (index >= count)
            throw std::runtime_error("program " + text + " does not exist (the plug-in has " +
                                     std::to_string(count) + ", numbered 0 to " +
                                     std::to_string(count - 1) + ")");
        return static_cast<int32_t>(index);
    }
    const auto names = plugin.programNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (lower(names[i]) == lower(text)) return static_cast<int32_t>(i);
    throw std::runtime_error("no program named '" + text + "' (zindra programs lists them)");
}

int32_t findParameter(HostedPlugin& plugin, const std::string& name) {
    const auto names = plugin.parameterNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (lower(names[i]) == lower(name)) return static_cast<int32_t>(i);
    throw std::runtime_error("no parameter named '" + name + "' (zindra params lists them)");
}

float parseParameterValue(const std::string& name, const std::string& text) {
    size_t used = 0;
    double value = 0.0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || !std::isfinite(value))
        throw std::runtime_error("--set " + name + "=" + text + ": the value is not a number");
    if (value < 0.0 || value > 1.0)
        throw std::runtime_error("--set " + name + "=" + text + ": the value must lie from 0 to 1");
    return static_cast<float>(value);
}

void applySettings(HostedPlugin& plugin, PluginMessages& messages, const EffectSettings& settings) {
    if (!settings.bankPath.empty())
        loadPresetFile(plugin, messages, settings.bankPath, PresetFile::Kind::Bank);
    if (settings.program) plugin.setProgram(findProgram(plugin, *settings.program));
    if (!settings.presetPath.empty())
        loadPresetFile(plugin, messages, settings.presetPath, PresetFile::Kind::Program);
    for (const std::string& assignment : settings.assignments) {
        const size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0)
            throw std::runtime_error("--set " + assignment +
                                     ": write NAME=VALUE, for example Humidity=0.5");
        const std::string name = assignment.substr(0, equals);
        const int32_t index = findParameter(plugin, name);
        plugin.setParameter(index, parseParameterValue(name, assignment.substr(equals + 1)));
    }
}
