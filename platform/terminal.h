// Whether the command's output streams reach a person at a terminal.
#pragma once

namespace platform {

bool standardErrorIsTerminal();

}  // namespace platform
