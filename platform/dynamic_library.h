// Loading a library by path and finding its exported symbols, as a host does.
#pragma once

#include <string>

namespace platform {

class DynamicLibrary {
public:
    explicit DynamicLibrary(const std::string& path);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool loaded() const { return handle != nullptr; }
    // Address of an exported symbol, or null.
    void* symbol(const char* name) const;
    // Why loading failed, in the system's words.
    const std::string& error() const { return loadError; }

private:
    void* handle = nullptr;
    std::string loadError;
};

}  // namespace platform
