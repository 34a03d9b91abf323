// Zindra's factory programs.
#pragma once

#include <cstdint>

#include "core/ProgramBank.h"
#include "core/ZindraParameters.h"

namespace core {

struct FactoryProgram {
    const char* name;
    float values[zindra::kNumParams];
};

// Center, Width, Spread, Zindra Mix, Humidity, Hi-Res, Bypass, Zindra-cate!,
// Stereolize!, Pass Thru, Isolate, Spreadilate!
inline constexpr FactoryProgram kFactoryPrograms[ProgramBank::kNumPrograms] = {
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

}  // namespace core
