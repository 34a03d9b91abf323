// Counts the samples of a stream that need the user's attention (not a
// number, beyond full scale) and remembers where the first one lies, for a
// warning that says how many and where to look.
#pragma once

#include <cstdint>
#include <string>

class SampleTally {
public:
    // One sample of the frame at `frame` counts.
    void note(int64_t frame) {
        if (count++ == 0) firstFrame = frame;
    }
    int64_t samples() const { return count; }
    // "1234 of 88200 samples (1.4%), the first at 0:01.250 (sample 55125)".
    std::string describe(int64_t totalSamples, int32_t sampleRate) const;

private:
    int64_t count = 0;
    int64_t firstFrame = 0;
};
