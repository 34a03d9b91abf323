#include "lv2/state.h"

#include <lv2/atom/atom.h>

#include <cstdint>
#include <cstring>

#include "lv2/EffectHost.h"

namespace lv2 {

StateKeys::StateKeys(const LV2_URID_Map& map)
    : bank(map.map(map.handle, kBankKey)),
      program(map.map(map.handle, kProgramKey)),
      chunk(map.map(map.handle, LV2_ATOM__Chunk)),
      integer(map.map(map.handle, LV2_ATOM__Int)) {}

LV2_State_Status saveState(EffectHost& host, const StateKeys& keys, LV2_State_Store_Function store,
                           LV2_State_Handle handle) {
    void* bank = nullptr;
    const intptr_t size = host.send(effGetChunk, 0, 0, &bank);
    if (size <= 0 || !bank) return LV2_STATE_ERR_UNKNOWN;
    const auto program = static_cast<int32_t>(host.send(effGetProgram));
    const uint32_t flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    const LV2_State_Status status =
        store(handle, keys.bank, bank, static_cast<size_t>(size), keys.chunk, flags);
    if (status != LV2_STATE_SUCCESS) return status;
    return store(handle, keys.program, &program, sizeof program, keys.integer, flags);
}

LV2_State_Status restoreState(EffectHost& host, const StateKeys& keys,
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
    if (index < 0 || index >= host.record().numPrograms) return LV2_STATE_ERR_UNKNOWN;

    // The effect checks the bank itself; it keeps what it had when it refuses
    // one, and it hands an accepted bank back byte for byte.
    host.send(effSetChunk, 0, static_cast<intptr_t>(bankSize), const_cast<void*>(bank));
    void* now = nullptr;
    const intptr_t nowSize = host.send(effGetChunk, 0, 0, &now);
    if (static_cast<size_t>(nowSize) != bankSize || std::memcmp(now, bank, bankSize) != 0)
        return LV2_STATE_ERR_UNKNOWN;
    host.send(effSetProgram, 0, index);
    return LV2_STATE_SUCCESS;
}

}  // namespace lv2
