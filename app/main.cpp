// `zindra`: an offline host for the Zindra plug-in library.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/commands.h"
#include "app/plugin_location.h"

namespace {

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: zindra info [--plugin PATH]\n"
                 "  info    what the plug-in library reports to a host\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    std::string pluginPath = defaultPluginPath();
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
            pluginPath = argv[++i];
        } else {
            std::fprintf(stderr, "zindra: unknown argument '%s'\n", argv[i]);
            return 2;
        }
    }
    try {
        if (command == "info") return runInfo(pluginPath);
        std::fprintf(stderr, "zindra: unknown command '%s'\n", command.c_str());
        usage(stderr);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zindra: %s\n", error.what());
        return 1;
    }
}
