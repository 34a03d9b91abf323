// The subcommands of the `zindra` command. Each returns the exit status and
// throws std::runtime_error with one line for the user on failure.
#pragma once

#include <string>

#include "app/AudioFile.h"
#include "app/EffectSettings.h"

struct ProcessOptions {
    std::string input;
    std::string output;
    EffectSettings settings;
    int32_t blockSize = 1024;
    SampleDepth depth = SampleDepth::SameAsInput;
};

int runInfo(const std::string& pluginPath);
int runPrograms(const std::string& pluginPath);
int runParams(const std::string& pluginPath, const EffectSettings& settings);
int runProcess(const std::string& pluginPath, const ProcessOptions& options);
int runSavePreset(const std::string& pluginPath, const std::string& output,
                  const EffectSettings& settings, bool bank);
int runDemo(const std::string& pluginPath, const std::string& outputFolder);
