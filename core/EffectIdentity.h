// Who an effect is, as every format names it.
#pragma once

#include <cstdint>

namespace core {

struct EffectIdentity {
    const char* effectName;
    const char* productName;
    const char* vendorName;
    int32_t vendorVersion;
    int32_t uniqueId;  // also the magic of the effect's state
    int32_t numInputs;
    int32_t numOutputs;
};

}  // namespace core
