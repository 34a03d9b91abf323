#include "app/Interruption.h"

#include <csignal>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSignals[] = {SIGINT, SIGHUP, SIGTERM};

volatile std::sig_atomic_t caught = 0;
extern "C" void onSignal(int signal) { caught = signal; }

}  // namespace

InterruptGuard::InterruptGuard() {
    for (int i = 0; i < 3; ++i) {
        previous[i] = std::signal(kSignals[i], onSignal);
        if (previous[i] == SIG_IGN) std::signal(kSignals[i], SIG_IGN);
    }
}

InterruptGuard::~InterruptGuard() {
    for (int i = 0; i < 3; ++i) std::signal(kSignals[i], previous[i]);
}

int interruptingSignal() { return caught; }

void stopIfInterrupted(const char* what) {
    if (caught) throw std::runtime_error(std::string("interrupted; ") + what);
}

void endByInterruptingSignal() {
    const int signal = caught;
    if (signal == 0) return;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
