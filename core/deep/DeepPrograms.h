// Zindra Deep's factory programs and its state format.
#pragma once

#include <cstdint>

#include "core/ProgramBankOf.h"
#include "core/deep/DeepIdentity.h"
#include "core/deep/DeepParameters.h"

namespace deep {

using Program = core::ProgramRecord<kNumParams>;
using FactoryProgram = core::FactoryProgramOf<kNumParams>;
inline constexpr int32_t kNumPrograms = 6;

// Depth, Width, Smoothing, Tail, Low Keep, High Keep, Mix, Isolate (0..1 each; see
// the table for their units).
inline constexpr FactoryProgram kFactoryPrograms[kNumPrograms] = {
    {"Deep Removal", {0.6666667f, 0.15f, 0.12f, 0.5f, 0.24f, 1.0f, 1.0f, 0.0f}},
    {"Gentle Removal", {0.25f, 0.1f, 0.04f, 0.2f, 0.24f, 1.0f, 1.0f, 0.0f}},
    {"Keep the Low End", {0.6666667f, 0.15f, 0.12f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f}},
    {"Remove All Centre", {0.6666667f, 0.15f, 0.12f, 0.5f, 0.0f, 1.0f, 1.0f, 0.0f}},
    {"Isolate Voice", {0.6666667f, 0.15f, 0.04f, 0.0f, 0.24f, 1.0f, 1.0f, 1.0f}},
    {"Isolate With Reverb", {0.6666667f, 0.15f, 0.04f, 0.5f, 0.24f, 1.0f, 1.0f, 1.0f}},
};

constexpr bool defaultsAreTheFirstProgram() {
    for (int32_t i = 0; i < kNumParams; ++i)
        if (kParameters[i].defaultValue != kFactoryPrograms[0].values[i]) return false;
    return true;
}
static_assert(defaultsAreTheFirstProgram());

// Zindra Deep's state format (see ProgramBankOf.h): its own magic and version.
struct StateFormat {
    using Program = deep::Program;
    static constexpr int32_t kNumParams = deep::kNumParams;
    static constexpr int32_t kNumPrograms = deep::kNumPrograms;
    static constexpr uint32_t kMagic = static_cast<uint32_t>(kUniqueId);
    static constexpr uint32_t kVersion = 1;
    static constexpr const FactoryProgram* kFactory = kFactoryPrograms;
    static constexpr const char* kRefusals[5] = {
        "E1 - Not a valid Zindra Deep preset.", "E2 - Not a valid Zindra Deep preset.",
        "E3 - Wrong version of Zindra Deep preset.", "E4 - Not a valid Zindra Deep preset.",
        "E5 - Not a valid Zindra Deep bank."};
};

using ProgramBank = core::ProgramBankOf<StateFormat>;

}  // namespace deep
