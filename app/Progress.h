// A one-line progress bar on standard error, drawn only when a person is
// watching (a terminal) and at most a few times a second.
#pragma once

#include <chrono>
#include <cstdint>

class Progress {
public:
    explicit Progress(int64_t total);
    ~Progress();
    void update(int64_t done);
    // Removes the bar, leaving the line free for what comes next.
    void clear();

private:
    int64_t total;
    bool visible;
    bool drawn = false;
    std::chrono::steady_clock::time_point lastDraw{};
};
