#include <dlfcn.h>

#include "platform/dynamic_library.h"

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) {
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        loadError = why ? why : "cannot load " + path;
    }
}

DynamicLibrary::~DynamicLibrary() {
    if (handle) dlclose(handle);
}

void* DynamicLibrary::symbol(const char* name) const {
    return handle ? dlsym(handle, name) : nullptr;
}

}  // namespace platform
