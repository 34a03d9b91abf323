#include "app/plugin_location.h"

#include <filesystem>

#include "host/DVstUtils.h"

std::string defaultPluginPath() {
    namespace fs = std::filesystem;
    const fs::path here = pluginFolder();  // the folder of this program
    for (const fs::path& candidate : {here / "zindra.so", here / ".." / "zindra.so"})
        if (fs::exists(candidate)) return fs::weakly_canonical(candidate).string();
    return (here / "zindra.so").string();
}
