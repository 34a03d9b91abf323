// Repeating timers for back-ends whose system has no window timers of its own
// (X11, offscreen): the back-end feeds it the time and it tells which are due.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

class TimerTable {
public:
    // Starts or restarts `id`: first due `intervalMs` after `nowMs`.
    void start(int id, unsigned intervalMs, std::uint64_t nowMs);
    void stop(int id);
    bool empty() const { return timers_.empty(); }
    // The earliest due time of all timers; UINT64_MAX when there is none.
    std::uint64_t nextDue() const;
    // Takes the timer that is due earliest at or before `nowMs`, moves its due
    // time one interval on from its old one (or from `nowMs` when `coalesce`,
    // so a late timer fires once, not once per missed interval) and returns
    // its id; -1 when none is due.
    int takeDue(std::uint64_t nowMs, bool coalesce);

private:
    struct Timer {
        int id;
        unsigned interval;
        std::uint64_t due;
    };
    std::vector<Timer> timers_;
};

}  // namespace platform
