// A non-visual timer whose ticks arrive as window messages on the thread of
// the window it belongs to (the form of its owner widget).
#pragma once

#include <functional>
#include <stdexcept>

namespace gui {

class Form;
class Widget;

// Raised to the code that enabled a timer the system could not start.
class TimerError : public std::runtime_error {
public:
    TimerError() : std::runtime_error("Not enough timers available") {}
};

class TDIBTimer {
public:
    explicit TDIBTimer(Widget& owner);
    ~TDIBTimer();
    TDIBTimer(const TDIBTimer&) = delete;
    TDIBTimer& operator=(const TDIBTimer&) = delete;

    unsigned Interval() const { return interval_; }
    // Both setters restart the system timer when the timer is enabled, the
    // interval is not 0 and OnTimer is set. Throws TimerError (and is left
    // disabled) when the system has no timer left.
    void setInterval(unsigned ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void(TDIBTimer&)> OnTimer;

    // For the form: one tick has arrived; the form is going away.
    void tick();
    void detach();

private:
    void update();

    Widget& owner_;
    Form* form_ = nullptr;
    int id_ = 0;
    unsigned interval_ = 1000;
    bool enabled_ = false;
    bool running_ = false;
};

}  // namespace gui
