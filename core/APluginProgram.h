// One program: the twelve parameter values and a name.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/ZindraParameters.h"

struct APluginProgram {
    APluginProgram();

    // Written through by every setParameter, which may run on any thread.
    std::atomic<float> fpar[zindra::kNumParams];
    char name[51];
    // Never interpreted; carried unchanged into and out of chunks.
    uint8_t reserved[256];
};
