// What the plug-in tells its user while the command runs. Zindra writes its
// messages (a rejected chunk, for one) to the file named by
// ZINDRA_MESSAGE_LOG instead of showing a dialog; the command points that
// variable at a temporary file before the library is loaded, so that such a
// message becomes the command's error instead of a box nobody sees.
// Messages from the plug-in are taken as errors of the command: a rejected
// chunk still answers success to its host.
#pragma once

#include <string>
#include <vector>

class PluginMessages {
public:
    PluginMessages();
    ~PluginMessages();
    PluginMessages(const PluginMessages&) = delete;
    PluginMessages& operator=(const PluginMessages&) = delete;

    // The messages since the last call, one per line.
    std::vector<std::string> take();

private:
    std::string logPath;
    std::string previous;  // the variable's value before, restored afterwards
};
