#include <dlfcn.h>
#include <langinfo.h>
#include <limits.h>
#include <locale.h>
#include <stdlib.h>

#include "platform/system.h"

namespace platform {

std::string moduleFilePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleFilePath), &info) == 0 || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved)) return resolved;
    return info.dli_fname;
}

std::string executableFilePath() {
    char resolved[PATH_MAX];
    if (realpath("/proc/self/exe", resolved)) return resolved;
    return {};
}

const char* pathSeparators() { return "/"; }

std::string userDecimalSeparator() {
    // The user's choice as the environment states it, whatever the host
    // process has set as its own locale.
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (!user) return ".";
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    std::string separator = radix && *radix ? radix : ".";
    freelocale(user);
    return separator;
}

void setEnvironmentVariable(const char* name, const char* value) {
    if (value && *value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

}  // namespace platform
