#include <unistd.h>

#include "platform/terminal.h"

namespace platform {

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace platform
