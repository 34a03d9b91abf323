// Shows one message through the plug-in's message function and reports when
// the user has closed it; driven by message_box_x11.sh.
#include <cstdio>

#include "platform/messages.h"

int main(int argc, char** argv) {
    messages::report(argc > 1 ? argv[1] : "E2 - Not a valid Zindra preset.");
    std::puts("closed");
    return 0;
}
