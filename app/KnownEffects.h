// The effects the command knows by their unique ID, for the texts their
// tables give (a library holding another effect shows only the host's texts).
#pragma once

#include <cstdint>

#include "core/ParameterTable.h"

// The table of the effect with uniqueId; empty for an effect the command does not know.
core::ParameterTable knownParameters(int32_t uniqueId);
