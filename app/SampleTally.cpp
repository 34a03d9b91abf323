#include "app/SampleTally.h"

#include <cstdio>

std::string SampleTally::describe(int64_t totalSamples, int32_t sampleRate) const {
    const double seconds = static_cast<double>(firstFrame) / sampleRate;
    const int minutes = static_cast<int>(seconds / 60.0);
    char text[160];
    std::snprintf(
        text, sizeof text, "%lld of %lld samples (%.1f%%), the first at %d:%06.3f (sample %lld)",
        static_cast<long long>(count), static_cast<long long>(totalSamples),
        totalSamples > 0 ? 100.0 * static_cast<double>(count) / static_cast<double>(totalSamples)
                         : 0.0,
        minutes, seconds - 60.0 * minutes, static_cast<long long>(firstFrame));
    return text;
}
