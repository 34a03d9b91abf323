// The desktop's own handling of addresses: the user's browser for a web page.
#pragma once

namespace platform {

// Asks the desktop to open `address` (a web page in the user's browser,
// maximised where the system can tell). Returns at once: the browser starts
// on its own and its outcome is not awaited or examined.
void openWebAddress(const char* address);

}  // namespace platform
