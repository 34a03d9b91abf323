// Sends the plug-in's user messages to a fresh file for the life of the
// object (ZINDRA_MESSAGE_LOG) and reads back what was reported, one message
// a line. The name carries the time so that test programs running side by
// side never share a file.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/system.h"

class MessageLog {
public:
    MessageLog()
        : path(std::filesystem::temp_directory_path() /
               ("zindra-messages-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                ".log")) {
        std::filesystem::remove(path);
        platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", path.string().c_str());
    }
    ~MessageLog() {
        platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", "");
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> lines() const {
        std::ifstream in(path);
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }

    // The messages reported since the last call.
    std::vector<std::string> take() {
        std::vector<std::string> all = lines();
        std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        return fresh;
    }

private:
    std::filesystem::path path;
    size_t seen = 0;
};
