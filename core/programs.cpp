// The ten programs: factory contents and names.
#include <cstring>
#include <new>

#include "core/ProgramBank.h"
#include "core/ZindraPrograms.h"

namespace core {

namespace {

void copyText(char* destination, const char* source, size_t maxCharacters) {
    size_t length = 0;
    while (length < maxCharacters && source[length] != '\0') ++length;
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

}  // namespace

ProgramBank::ProgramBank()
    : programs(new (std::nothrow) APluginProgram[kNumPrograms]),
      presetBytes(new (std::nothrow) uint8_t[kPresetSize]()),
      bankBytes(new (std::nothrow) uint8_t[kBankSize]()) {
    if (programs) loadFactoryPrograms();
}

void ProgramBank::loadFactoryPrograms() {
    for (int p = 0; p < kNumPrograms; ++p) {
        for (int i = 0; i < zindra::kNumParams; ++i)
            programs[p].fpar[i].store(kFactoryPrograms[p].values[i]);
        copyText(programs[p].name, kFactoryPrograms[p].name, kMaxStoredName);
    }
}

void ProgramBank::clearStateBuffers() {
    std::memset(presetBytes.get(), 0, kPresetSize);
    std::memset(bankBytes.get(), 0, kBankSize);
}

void ProgramBank::rename(int32_t index, const char* name) {
    copyText(programs[index].name, name, kMaxStoredName);
}

void ProgramBank::copyName(int32_t index, char* destination, size_t maxCharacters) const {
    copyText(destination, programs[index].name, maxCharacters);
}

}  // namespace core

APluginProgram::APluginProgram() {
    for (int i = 0; i < zindra::kNumParams; ++i) fpar[i].store(core::kFactoryPrograms[0].values[i]);
    std::memset(name, 0, sizeof name);
    std::memset(reserved, 0, sizeof reserved);
}
