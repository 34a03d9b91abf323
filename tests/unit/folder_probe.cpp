// Loaded by the tests from a folder of its own: answers the folder in which
// the library holding this code lives.
#include <cstring>
#include <string>

#include "platform/system.h"

extern "C" int probePluginFolder(char* out, int size) {
    const std::string folder = platform::moduleFolder();
    if (static_cast<int>(folder.size()) >= size) return -1;
    std::memcpy(out, folder.c_str(), folder.size() + 1);
    return static_cast<int>(folder.size());
}
