// The LV2 state of an instance: the effect's bank chunk (every program's
// values and name) and its current program, under keys of the effect's URI.
//
// Threads: the host's state thread (the effect's programs and state belong
// to it).
#pragma once

#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <cstring>

#include "core/ProgramBankOf.h"
#include "lv2/PluginDescription.h"
#include "platform/messages.h"

namespace lv2 {

struct StateKeys {
    LV2_URID bank = 0;
    LV2_URID program = 0;
    LV2_URID chunk = 0;    // the bank's type
    LV2_URID integer = 0;  // the program's type
    StateKeys(const LV2_URID_Map& map, const PluginDescription& description);
};

template <typename Effect>
LV2_State_Status saveState(Effect& effect, const StateKeys& keys, LV2_State_Store_Function store,
                           LV2_State_Handle handle) {
    size_t size = 0;
    const uint8_t* bank = effect.saveState(core::StateKind::Bank, size);
    if (size == 0 || !bank) return LV2_STATE_ERR_UNKNOWN;
    const int32_t program = effect.program();
    const uint32_t flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    const LV2_State_Status status = store(handle, keys.bank, bank, size, keys.chunk, flags);
    if (status != LV2_STATE_SUCCESS) return status;
    return store(handle, keys.program, &program, sizeof program, keys.integer, flags);
}

// A state that is incomplete, of the wrong types, names no program of the
// effect or carries a bank the effect refuses changes nothing.
template <typename Effect>
LV2_State_Status restoreState(Effect& effect, const StateKeys& keys,
                              LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle) {
    size_t bankSize = 0, programSize = 0;
    uint32_t bankType = 0, programType = 0, flags = 0;
    const void* bank = retrieve(handle, keys.bank, &bankSize, &bankType, &flags);
    const void* program = retrieve(handle, keys.program, &programSize, &programType, &flags);
    if (!bank || !program) return LV2_STATE_ERR_NO_PROPERTY;
    if (bankType != keys.chunk || programType != keys.integer || programSize != sizeof(int32_t) ||
        bankSize > INT32_MAX)
        return LV2_STATE_ERR_BAD_TYPE;
    int32_t index = 0;
    std::memcpy(&index, program, sizeof index);
    if (index < 0 || index >= Effect::kNumPrograms) return LV2_STATE_ERR_UNKNOWN;
    // The effect checks the bank itself and keeps what it had when it refuses
    // one; the user hears why.
    if (const char* refusal =
            effect.loadState(core::StateKind::Bank, static_cast<const uint8_t*>(bank), bankSize)) {
        messages::report(refusal);
        return LV2_STATE_ERR_UNKNOWN;
    }
    effect.setProgram(index);
    return LV2_STATE_SUCCESS;
}

}  // namespace lv2
