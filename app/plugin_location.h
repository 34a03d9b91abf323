// Where the command finds the plug-in libraries when no --plugin is given:
// always from the command's own file, never from the current folder, so that
// a library lying where the user happens to work is never loaded.
#pragma once

#include <string>

// The library of each effect the command knows.
inline constexpr const char* kZindraLibrary = "zindra.so";
inline constexpr const char* kDeepLibrary = "zindra_deep.so";

// fileName beside the command, else in ../lib/vst (the installed layout),
// else one folder up (the build tree). When none exists, the first place, so
// that the failure names where the library was expected.
std::string defaultPluginPath(const std::string& fileName = kZindraLibrary);
// fileName in the folder of the library at libraryPath.
std::string besideLibrary(const std::string& libraryPath, const std::string& fileName);
