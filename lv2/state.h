// The LV2 state of an instance: the effect's bank chunk (every program's
// values and name) and its current program.
#pragma once

#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

namespace lv2 {}  // namespace lv2
namespace core {
class ZindraEffect;
}
namespace lv2 {

struct StateKeys {
    LV2_URID bank = 0;
    LV2_URID program = 0;
    LV2_URID chunk = 0;    // the bank's type
    LV2_URID integer = 0;  // the program's type
    explicit StateKeys(const LV2_URID_Map& map);
};

LV2_State_Status saveState(core::ZindraEffect& effect, const StateKeys& keys,
                           LV2_State_Store_Function store, LV2_State_Handle handle);
// A state that is incomplete, of the wrong types, names no program of the
// effect or carries a bank the effect refuses changes nothing.
LV2_State_Status restoreState(core::ZindraEffect& effect, const StateKeys& keys,
                              LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

}  // namespace lv2
