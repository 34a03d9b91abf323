// The one way the plug-in speaks to the user: a modal box with an OK button,
// or a line in the file named by ZINDRA_MESSAGE_LOG (hosts running headless
// and the tests), in which case the call continues as if OK had been pressed.
#pragma once

namespace messages {

// UI thread: shows text and returns once the user has closed the box.
// caption null means the system's default title.
void report(const char* text, const char* caption = nullptr);

// Any thread, the audio thread included (no allocation, lock or system call):
// keeps the text for showPending. Returns false when it cannot be kept
// (the queue is full or another thread is queueing at the same moment).
bool queue(const char* text, const char* caption = nullptr);

// UI thread: shows, in order, the texts queued since the last call.
void showPending();

}  // namespace messages
