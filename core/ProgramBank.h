// ProgramBank: Zindra's ten programs and the state format that carries them
// (ProgramBankOf.h): a preset of 364 bytes (magic, version, the twelve
// values, the name, the reserved block, a spare byte) and a bank of 3648.
#pragma once

#include "core/ProgramBankOf.h"
#include "core/ZindraPrograms.h"

namespace core {

using ProgramBank = ProgramBankOf<ZindraStateFormat>;
static_assert(ProgramBank::kPresetSize == 364 && ProgramBank::kBankSize == 3648);

}  // namespace core
