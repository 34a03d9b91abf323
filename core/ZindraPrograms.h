// Zindra's factory programs.
#pragma once

#include <cstdint>

#include "core/APluginProgram.h"
#include "core/ZindraIdentity.h"
#include "core/ZindraParameters.h"

namespace core {

using FactoryProgram = FactoryProgramOf<zindra::kNumParams>;
inline constexpr int32_t kNumPrograms = 10;

// Center, Width, Spread, Zindra Mix, Humidity, Hi-Res, Bypass, Zindra-cate!,
// Stereolize!, Pass Thru, Isolate, Spreadilate!
inline constexpr FactoryProgram kFactoryPrograms[kNumPrograms] = {
    {"Vocal Out - Mode 1", {0.215f, 0.4f, 0.104f, 1, 1, 0, 0, 0, 1, 0, 0, 0}},
    {"Vocal Out - Mode 2", {0.215f, 0.4f, 0.104f, 1, 1, 0, 0, 0, 0, 1, 0, 1}},
    {"Full Spectrum", {0.515f, 1, 0.104f, 1, 1, 0, 0, 0, 1, 0, 0, 0}},
    {"Vocal Band Only", {0.215f, 0.4f, 0.104f, 1, 1, 0, 0, 0, 1, 0, 1, 0}},
    {"Isolate Vocal", {0.3875f, 0.75f, 0.152f, 1, 1, 0, 0, 1, 1, 0, 1, 1}},
    {"Vocal Out - Mode 1 (HR)", {0.215f, 0.4f, 0.104f, 1, 1, 1, 0, 0, 1, 0, 0, 0}},
    {"Vocal Out - Mode 2 (HR)", {0.215f, 0.4f, 0.104f, 1, 1, 1, 0, 0, 0, 1, 0, 1}},
    {"Full Spectrum (HR)", {0.515f, 1, 0.104f, 1, 1, 1, 0, 0, 1, 0, 0, 0}},
    {"Vocal Band Only (HR)", {0.215f, 0.4f, 0.104f, 1, 1, 1, 0, 0, 1, 0, 1, 0}},
    {"Isolate Vocal (HR)", {0.3875f, 0.75f, 0.152f, 1, 1, 1, 0, 1, 1, 0, 1, 1}},
};

// The table's defaults are the first program's values.
constexpr bool defaultsAreTheFirstProgram() {
    for (int32_t i = 0; i < zindra::kNumParams; ++i)
        if (zindra::kParameters[i].defaultValue != kFactoryPrograms[0].values[i]) return false;
    return true;
}
static_assert(defaultsAreTheFirstProgram());

// Zindra's state format (see ProgramBankOf.h).
struct ZindraStateFormat {
    using Program = APluginProgram;
    static constexpr int32_t kNumParams = zindra::kNumParams;
    static constexpr int32_t kNumPrograms = core::kNumPrograms;
    static constexpr uint32_t kMagic = static_cast<uint32_t>(zindra::kUniqueId);
    static constexpr uint32_t kVersion = 4;
    static constexpr const FactoryProgram* kFactory = kFactoryPrograms;
    static constexpr const char* kRefusals[5] = {
        "E1 - Not a valid Zindra preset.", "E2 - Not a valid Zindra preset.",
        "E3 - Wrong version of Zindra preset.", "E4 - Not a valid Zindra preset.",
        "E5 - Not a valid Zindra bank."};
};

}  // namespace core
