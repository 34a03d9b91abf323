// One of Zindra's programs: the twelve parameter values and a name. A new
// record holds the first factory program's values and no name.
#pragma once

#include "core/ProgramBankOf.h"
#include "core/ZindraParameters.h"

struct APluginProgram : core::ProgramRecord<zindra::kNumParams> {
    APluginProgram();
};
