#include <string>

#include "platform/system.h"

namespace platform {

std::string moduleFolder() {
    const std::string file = moduleFilePath();
    const auto cut = file.find_last_of(pathSeparators());
    if (cut == std::string::npos) return {};
    return file.substr(0, cut + 1);
}

}  // namespace platform
