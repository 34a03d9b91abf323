// The subcommands of the `zindra` command.
#pragma once

#include <string>

int runInfo(const std::string& pluginPath);
