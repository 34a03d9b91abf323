// What each VST 2 library must show a host. Names, parameters, programs and
// the state's refusal messages come from the effect's own tables in core/;
// the facts that hosts and stored sessions rely on (the record's counts,
// flags and latency, the state's sizes and version) are written out here, so
// that a change to them fails the test.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/ZindraIdentity.h"
#include "core/ZindraParameters.h"
#include "core/ZindraPrograms.h"
#include "core/deep/DeepIdentity.h"
#include "core/deep/DeepParameters.h"
#include "core/deep/DeepPrograms.h"

struct ExpectedProgram {
    const char* name;
    std::span<const float> values;
};

struct ExpectedEffect {
    const char* library;  // the build target, as the command line names it
    core::EffectIdentity identity;
    core::ParameterTable parameters;
    std::span<const ExpectedProgram> programs;
    // No header, wrong magic, wrong version, wrong preset size, wrong bank size.
    std::span<const char* const> refusals;

    int32_t uniqueId;  // also the state's magic
    int32_t numParams;
    int32_t numPrograms;
    int32_t flags;
    int32_t latency;
    size_t presetSize;
    size_t bankSize;
    uint32_t stateVersion;
    int32_t editorWidth;  // the editor window's size
    int32_t editorHeight;
    bool editorAsksTheSampleRate;  // again, each time it opens

    // The parameter whose value 0 leaves the input alone (delayed by the
    // latency), the programs to hear that with, and how much energy (of a
    // unit impulse's 1) may come out before the latency has passed.
    int32_t dryParameter;
    std::array<int32_t, 2> dryPrograms;
    double leadingEnergy;
};

template <int32_t NumParams, size_t N>
constexpr std::array<ExpectedProgram, N> expectedPrograms(
    const core::FactoryProgramOf<NumParams> (&factory)[N]) {
    std::array<ExpectedProgram, N> programs{};
    for (size_t p = 0; p < N; ++p) programs[p] = {factory[p].name, factory[p].values};
    return programs;
}

inline constexpr auto kZindraPrograms = expectedPrograms(core::kFactoryPrograms);
inline constexpr auto kDeepPrograms = expectedPrograms(deep::kFactoryPrograms);

// Zindra's dry path is a copy of the input ("Humidity" 0); programs 0 and 5
// run the two frame sizes.
inline constexpr ExpectedEffect kZindra{
    .library = "zindra",
    .identity = zindra::kIdentity,
    .parameters = zindra::kParameters,
    .programs = kZindraPrograms,
    .refusals = core::ZindraStateFormat::kRefusals,
    .uniqueId = 0x5A51374E,
    .numParams = 12,
    .numPrograms = 10,
    .flags = 0x39,
    .latency = 8192,
    .presetSize = 364,
    .bankSize = 3648,
    .stateVersion = 4,
    .editorWidth = 508,
    .editorHeight = 341,
    .editorAsksTheSampleRate = true,
    .dryParameter = zindra::kHumidity,
    .dryPrograms = {0, 5},
    .leadingEnergy = 1e-30,
};

// Zindra Deep: with "Mix" 0 each frame is resynthesised unchanged, so
// rounding leaves a trace before the latency. Programs 0 and 4 remove and
// isolate.
inline constexpr ExpectedEffect kDeep{
    .library = "zindra_deep",
    .identity = deep::kIdentity,
    .parameters = deep::kParameters,
    .programs = kDeepPrograms,
    .refusals = deep::StateFormat::kRefusals,
    .uniqueId = 0x5A513744,
    .numParams = 8,
    .numPrograms = 6,
    .flags = 0x39,
    .latency = 4096,
    .presetSize = 348,
    .bankSize = 2096,
    .stateVersion = 1,
    .editorWidth = 508,
    .editorHeight = 387,
    .editorAsksTheSampleRate = false,  // its display reads the rate the engine runs at
    .dryParameter = deep::kMix,
    .dryPrograms = {0, 4},
    .leadingEnergy = 1e-12,
};

inline constexpr const ExpectedEffect* kExpectedEffects[] = {&kZindra, &kDeep};

// The counts written out above are those of the tables they describe.
constexpr bool countsMatchTheTables() {
    for (const ExpectedEffect* e : kExpectedEffects)
        if (e->parameters.size() != static_cast<size_t>(e->numParams) ||
            e->programs.size() != static_cast<size_t>(e->numPrograms) || e->refusals.size() != 5)
            return false;
    return true;
}
static_assert(countsMatchTheTables());

// The description of the library the command line names; null for none.
inline const ExpectedEffect* findExpectedEffect(std::string_view library) {
    for (const ExpectedEffect* e : kExpectedEffects)
        if (library == e->library) return e;
    return nullptr;
}
