// Loaded by the tests from a folder of its own: answers the folder in which
// the library holding this code lives.
#include <cstring>
#include <string>

#include "host/DVstUtils.h"

extern "C" int probePluginFolder(char* out, int size) {
    const std::string folder = pluginFolder();
    if (static_cast<int>(folder.size()) >= size) return -1;
    std::memcpy(out, folder.c_str(), folder.size() + 1);
    return static_cast<int>(folder.size());
}
