// What the user asks of the effect before audio runs: a bank, a program (by
// index or name), a preset and single parameter values, applied in that
// order. Each problem is a std::runtime_error with one line for the user.
#pragma once

#include <optional>
#include <string>
#include <vector>

class HostedPlugin;
class PluginMessages;

struct EffectSettings {
    std::string bankPath;                  // .fxb, empty for none
    std::optional<std::string> program;    // index or name
    std::string presetPath;                // .fxp, empty for none
    std::vector<std::string> assignments;  // NAME=VALUE
};

void applySettings(HostedPlugin& plugin, PluginMessages& messages, const EffectSettings& settings);

// The program's index: digits are an index, anything else a name compared
// without regard to case.
int32_t findProgram(HostedPlugin& plugin, const std::string& text);
// The parameter's index by its name, compared without regard to case.
int32_t findParameter(HostedPlugin& plugin, const std::string& name);
// A parameter value: a number from 0 to 1.
float parseParameterValue(const std::string& name, const std::string& text);
