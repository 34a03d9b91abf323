#include "app/Progress.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/terminal.h"

namespace {

constexpr int kBarWidth = 40;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(int64_t count) : total(count), visible(platform::standardErrorIsTerminal()) {}

Progress::~Progress() { clear(); }

void Progress::update(int64_t done) {
    if (!visible) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn && now - lastDraw < kRedrawInterval && done < total) return;
    lastDraw = now;
    const double fraction =
        total > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0)
                  : 1.0;
    const int filled = static_cast<int>(fraction * kBarWidth + 0.5);
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), static_cast<int>(fraction * 100.0 + 0.5));
    std::fflush(stderr);
    drawn = true;
}

void Progress::clear() {
    if (!drawn) return;
    std::fprintf(stderr, "\r%*s\r", kBarWidth + 8, "");
    std::fflush(stderr);
    drawn = false;
}
