#include "lv2/state.h"

#include <lv2/atom/atom.h>

#include <cstdint>
#include <cstring>

#include "core/ZindraEffect.h"
#include "lv2/ports.h"
#include "platform/messages.h"

namespace lv2 {

StateKeys::StateKeys(const LV2_URID_Map& map)
    : bank(map.map(map.handle, kBankKey)),
      program(map.map(map.handle, kProgramKey)),
      chunk(map.map(map.handle, LV2_ATOM__Chunk)),
      integer(map.map(map.handle, LV2_ATOM__Int)) {}

LV2_State_Status saveState(core::ZindraEffect& effect, const StateKeys& keys,
                           LV2_State_Store_Function store, LV2_State_Handle handle) {
    size_t size = 0;
    const uint8_t* bank = effect.saveState(core::StateKind::Bank, size);
    if (size == 0 || !bank) return LV2_STATE_ERR_UNKNOWN;
    const int32_t program = effect.program();
    const uint32_t flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    const LV2_State_Status status = store(handle, keys.bank, bank, size, keys.chunk, flags);
    if (status != LV2_STATE_SUCCESS) return status;
    return store(handle, keys.program, &program, sizeof program, keys.integer, flags);
}

LV2_State_Status restoreState(core::ZindraEffect& effect, const StateKeys& keys,
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
    if (index < 0 || index >= core::ZindraEffect::kNumPrograms) return LV2_STATE_ERR_UNKNOWN;
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
