#include <io.h>

#include <cstdio>

#include "platform/terminal.h"

namespace platform {

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace platform
