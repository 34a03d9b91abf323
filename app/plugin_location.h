// Where the command finds the plug-in library when no --plugin is given:
// always from the command's own file, never from the current folder, so that
// a library lying where the user happens to work is never loaded.
#pragma once

#include <string>

// zindra.so beside the command, else in ../lib/vst (the installed layout),
// else one folder up (the build tree). When none exists, the first place, so
// that the failure names where the library was expected.
std::string defaultPluginPath();
