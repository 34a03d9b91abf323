#include <windows.h>

#include "platform/dynamic_library.h"

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) {
    handle = LoadLibraryA(path.c_str());
    if (!handle)
        loadError = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
}

DynamicLibrary::~DynamicLibrary() {
    if (handle) FreeLibrary(static_cast<HMODULE>(handle));
}

void* DynamicLibrary::symbol(const char* name) const {
    if (!handle) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

}  // namespace platform
