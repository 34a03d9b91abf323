// Where the command finds the plug-in library when no --plugin is given:
// beside the command itself, or one folder up (the build tree's layout).
#pragma once

#include <string>

std::string defaultPluginPath();
