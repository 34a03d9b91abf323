#include "app/PluginMessages.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/system.h"

namespace fs = std::filesystem;

PluginMessages::PluginMessages() {
    if (const char* value = std::getenv("ZINDRA_MESSAGE_LOG")) previous = value;
    std::random_device random;
    logPath = (fs::temp_directory_path() / ("zindra-messages-" + std::to_string(random()) + ".log"))
                  .string();
    platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", logPath.c_str());
}

PluginMessages::~PluginMessages() {
    platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", previous.c_str());
    std::error_code ignored;
    fs::remove(logPath, ignored);
}

std::vector<std::string> PluginMessages::take() {
    std::vector<std::string> lines;
    {
        std::ifstream in(logPath);
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) lines.push_back(line);
    }
    std::error_code ignored;
    fs::remove(logPath, ignored);
    return lines;
}
