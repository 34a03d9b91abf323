// `zindra`: an offline host for the Zindra plug-in library.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/Interruption.h"
#include "app/commands.h"
#include "app/plugin_location.h"

namespace {

// The options that choose the effect's state, shared by several commands.
void addSettingOptions(CLI::App& command, EffectSettings& settings, bool withPresets) {
    command.add_option("--program", settings.program, "program by index or name (any case)");
    command
        .add_option("--set", settings.assignments,
                    "parameters by name: one or more NAME=VALUE, each VALUE 0..1")
        ->allow_extra_args(false);
    if (!withPresets) return;
    command.add_option("--preset", settings.presetPath, "load a preset file (.fxp)");
    command.add_option("--bank", settings.bankPath, "load a bank file (.fxb)");
}

// A usage error is reported in one line, as every other failure.
std::string oneLineFailure(const CLI::App*, const CLI::Error& error) {
    return std::string(error.what()) + " (zindra --help shows the usage)\n";
}

// A word that assigns a parameter: NAME=VALUE, where a name holds no '/' or
// '.', so that a file name with '=' in it stays a file name.
bool isAssignment(const std::string& word) {
    const size_t equals = word.find('=');
    return equals != std::string::npos && word[0] != '-' && word.find_first_of("/.") > equals;
}

// `--set A=1 B=2` as `--set A=1 --set B=2`: the option takes one value each
// time, so that the file names after it stay file names.
std::vector<std::string> separateAssignments(int argc, char** argv) {
    std::vector<std::string> out;
    enum { Other, AfterOption, AfterValue } state = Other;
    for (int i = 0; i < argc; ++i) {
        const std::string word = argv[i];
        const bool further = state == AfterValue && isAssignment(word);
        if (further) out.push_back("--set");
        out.push_back(word);
        if (word == "--set")
            state = AfterOption;
        else if (state == AfterOption || further || word.starts_with("--set="))
            state = AfterValue;
        else
            state = Other;
    }
    return out;
}

// `zindra help [COMMAND]`: the same text as --help, on standard output.
int showHelp(CLI::App& app, const std::string& topic) {
    if (topic.empty()) {
        std::fputs(app.get_formatter()
                       ->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal)
                       .c_str(),
                   stdout);
        return 0;
    }
    for (CLI::App* command : app.get_subcommands({}))
        if (command->get_name() == topic) {
            std::fputs(command->help(app.get_name()).c_str(), stdout);
            return 0;
        }
    std::fprintf(stderr, "zindra: help: unknown command '%s' (zindra help lists the commands)\n",
                 topic.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) then fails the write, which the command
    // reports and cleans up after, instead of killing the command.
    std::signal(SIGXFSZ, SIG_IGN);
    CLI::App app{"zindra: runs audio files and presets through the Zindra plug-in libraries",
                 "zindra"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "zindra " ZINDRA_VERSION, "show the version and stop");
    // Empty until the user names one: then the library of the chosen effect.
    std::string pluginPath;
    std::string effect = "zindra";
    const auto effectOption = [&](CLI::App& command) {
        command
            .add_option("--effect", effect,
                        "the effect whose library is loaded when --plugin is not given: zindra "
                        "(zindra.so) or deep (Zindra Deep, zindra_deep.so); default zindra")
            ->check(CLI::IsMember({"zindra", "deep"}));
    };
    app.add_option("--plugin", pluginPath,
                   "the plug-in library (default: the effect's library beside this command, in "
                   "../lib/vst, or one folder up)")
        ->check(CLI::ExistingFile);
    effectOption(app);

    ProcessOptions process;
    std::string depth;
    auto* processCommand = app.add_subcommand("process", "run an audio file through the plug-in");
    processCommand->add_option("IN", process.input, "input file (WAV, FLAC, AIFF or OGG)")
        ->required();
    processCommand
        ->add_option("OUT", process.output, "output file; the format follows the extension")
        ->required();
    addSettingOptions(*processCommand, process.settings, true);
    processCommand->add_option("--block", process.blockSize,
                               "samples per processing call (default 1024)");
    processCommand->add_option("--bits", depth,
                               "output sample format: 16, 24, 32 or float (default: as the input)");

    app.add_subcommand("info", "what the plug-in library reports to a host");
    app.add_subcommand("programs", "the plug-in's programs");
    EffectSettings paramsSettings;
    auto* paramsCommand = app.add_subcommand("params", "the plug-in's parameters and their values");
    addSettingOptions(*paramsCommand, paramsSettings, true);

    EffectSettings presetSettings;
    std::string presetOutput;
    auto* savePreset =
        app.add_subcommand("save-preset", "save the current program as a preset file (.fxp)");
    savePreset->add_option("OUT", presetOutput, "the .fxp file to write")->required();
    addSettingOptions(*savePreset, presetSettings, false);

    EffectSettings bankSettings;
    std::string bankOutput;
    auto* saveBank = app.add_subcommand("save-bank", "save all programs as a bank file (.fxb)");
    saveBank->add_option("OUT", bankOutput, "the .fxb file to write")->required();
    addSettingOptions(*saveBank, bankSettings, false);

    std::string demoFolder = "zindra-demo";
    auto* demo =
        app.add_subcommand("demo", "make a demo mix, process it with every program, report");
    demo->add_option("OUTDIR", demoFolder, "where the files go (default ./zindra-demo)");

    // --plugin and --effect may also follow the command's name.
    for (CLI::App* command : app.get_subcommands({})) {
        command->add_option("--plugin", pluginPath, "the plug-in library")
            ->check(CLI::ExistingFile);
        effectOption(*command);
    }

    std::string helpTopic;
    app.add_subcommand("help", "show how to use zindra, or one of its commands")
        ->add_option("COMMAND", helpTopic, "the command to explain");

    // A first word that is no option and no command is a mistyped command.
    const auto commands = app.get_subcommands({});
    if (argc > 1 && argv[1][0] != '-' &&
        std::none_of(commands.begin(), commands.end(),
                     [&](const CLI::App* command) { return command->get_name() == argv[1]; })) {
        std::fprintf(stderr, "zindra: unknown command '%s' (zindra --help lists the commands)\n",
                     argv[1]);
        return 2;
    }
    std::vector<std::string> words = separateAssignments(argc, argv);
    std::vector<char*> wordPointers;
    for (std::string& word : words) wordPointers.push_back(word.data());
    try {
        app.parse(static_cast<int>(wordPointers.size()), wordPointers.data());
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error);
        std::fprintf(stderr, "zindra: %s", oneLineFailure(&app, error).c_str());
        return 2;
    }

    if (pluginPath.empty())
        pluginPath = defaultPluginPath(effect == "deep" ? kDeepLibrary : kZindraLibrary);
    try {
        const std::string command = app.get_subcommands().front()->get_name();
        if (command == "help") return showHelp(app, helpTopic);
        if (command == "process") {
            if (!depth.empty()) process.depth = parseSampleDepth(depth);
            return runProcess(pluginPath, process);
        }
        if (command == "info") return runInfo(pluginPath);
        if (command == "programs") return runPrograms(pluginPath);
        if (command == "params") return runParams(pluginPath, paramsSettings);
        if (command == "save-preset")
            return runSavePreset(pluginPath, presetOutput, presetSettings, false);
        if (command == "save-bank")
            return runSavePreset(pluginPath, bankOutput, bankSettings, true);
        return runDemo(pluginPath, demoFolder);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zindra: %s\n", error.what());
        endByInterruptingSignal();
        return 1;
    }
}
