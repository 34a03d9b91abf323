#include "platform/timer_table.h"

#include <algorithm>

namespace platform {

void TimerTable::start(int id, unsigned intervalMs, std::uint64_t nowMs) {
    stop(id);
    const unsigned interval = std::max(intervalMs, 1u);
    timers_.push_back({id, interval, nowMs + interval});
}

void TimerTable::stop(int id) {
    std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
}

std::uint64_t TimerTable::nextDue() const {
    std::uint64_t due = UINT64_MAX;
    for (const Timer& t : timers_) due = std::min(due, t.due);
    return due;
}

int TimerTable::takeDue(std::uint64_t nowMs, bool coalesce) {
    Timer* first = nullptr;
    for (Timer& t : timers_)
        if (t.due <= nowMs && (!first || t.due < first->due)) first = &t;
    if (!first) return -1;
    first->due = (coalesce ? nowMs : first->due) + first->interval;
    return first->id;
}

}  // namespace platform
