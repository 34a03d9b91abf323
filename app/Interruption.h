// Ctrl-C, a terminal hang-up and a polite kill (SIGINT, SIGHUP, SIGTERM)
// stop a long command between two steps instead of at once, so that its
// temporary files are removed on the way out. A signal the command was
// started to ignore (nohup) stays ignored. After the clean-up the command
// ends by the same signal, as the shell and the caller expect.
#pragma once

class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    void (*previous[3])(int);
};

// The signal that asked the command to stop, 0 while none has.
int interruptingSignal();

// Throws std::runtime_error("interrupted; <what>") once a signal has come.
void stopIfInterrupted(const char* what);

// Ends the process by the signal that interrupted it, with its default
// action; returns when there was none.
void endByInterruptingSignal();
