// How many bytes of samples a WAV or AIFF header promises and how many the
// file holds after the header. libsndfile quietly reads a file that was cut
// short as a shorter one; this lets the command tell the user instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct SampleDataSize {
    int64_t promised = 0;
    int64_t present = 0;
};

// Empty for other formats and for headers it cannot follow.
std::optional<SampleDataSize> sampleDataSize(const std::string& path);
