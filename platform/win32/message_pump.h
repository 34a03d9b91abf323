// The thread's message loop for about a given time, for test programs and
// stand-alone tools (a host runs its own).
#pragma once

namespace platform {

// Translates and dispatches the messages of every window of the calling
// thread until `ms` milliseconds have passed, sleeping while none are queued.
void pumpMessagesFor(unsigned ms);

}  // namespace platform
