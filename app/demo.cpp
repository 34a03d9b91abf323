// `zindra demo`: placeholder until the demo mix is built.
#include <stdexcept>

#include "app/commands.h"

int runDemo(const std::string&, const std::string&) {
    throw std::runtime_error("demo: not available in this build yet");
}
