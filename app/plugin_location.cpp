#include "app/plugin_location.h"

#include <filesystem>

#include "platform/system.h"

namespace fs = std::filesystem;

std::string defaultPluginPath(const std::string& fileName) {
    const fs::path here = fs::path(platform::executableFilePath()).parent_path();
    if (here.empty()) return {};
    const fs::path candidates[] = {here / fileName, here / ".." / "lib" / "vst" / fileName,
                                   here / ".." / fileName};
    std::error_code error;
    for (const fs::path& candidate : candidates)
        if (fs::is_regular_file(candidate, error)) return candidate.lexically_normal().string();
    return candidates[0].string();
}

std::string besideLibrary(const std::string& libraryPath, const std::string& fileName) {
    return (fs::path(libraryPath).parent_path() / fileName).string();
}
